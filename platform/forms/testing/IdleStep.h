// Test support: the application's loop run until it goes idle once, as it does when no message is
// left (the idle step updates the actions of visible clients).
#pragma once

void RunUntilIdle();
