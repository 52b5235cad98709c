// Named cursors loaded from the resource folder's "cursors/" (module start-up installs the loader).
#pragma once

void InstallResourceCursorLoader();
void RemoveResourceCursorLoader();
