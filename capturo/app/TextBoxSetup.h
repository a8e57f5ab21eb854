// Set-up of the text tool's box at initialisation: change notifications, hidden, disabled,
// the default colour, and the font whose id is the size shown in the font-size list.
#pragma once

class CControlUI;

void SetUpTextBox(CControlUI* textBox, CControlUI* fontSizeList);
