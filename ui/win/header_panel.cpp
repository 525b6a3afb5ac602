// PLACEHOLDER: replaced by the real implementation.
#include "ui/win/header_panel.h"
INT_PTR CALLBACK headerPanelProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
