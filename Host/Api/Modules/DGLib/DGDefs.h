// Numeric constants of the dialog library.
#pragma once

// Alert types.
#define DG_ERROR -1
#define DG_WARNING -2
#define DG_INFORMATION -3

// Answers of alerts and modal dialogs: the number of the button.
#define DG_OK 1
#define DG_CANCEL 2
#define DG_THIRD 3

// Dialog types.
#define DG_DT_MODAL 0x04
#define DG_DT_MODELESS 0x08
#define DG_DT_PALETTE 0x10

// Where a modeless dialog or palette is shown among the others.
#define DG_DF_FIRST -32768
#define DG_DF_LAST -32766
