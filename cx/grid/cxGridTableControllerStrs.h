// The texts the table controllers and the customization form show.
#pragma once

constexpr int cxSGridDeletingFocusedConfirmationText = 64760;
constexpr int cxSGridDeletingSelectedConfirmationText = 64761;
constexpr int cxSGridCustomizationFormCaption = 64762;
constexpr int cxSGridCustomizationFormColumnsPageCaption = 64763;

void cxGridTableControllerStrsInitialize();
