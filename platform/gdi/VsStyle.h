// Parts and states of the visual-style classes the components draw.
#pragma once

// Button
constexpr int BP_PUSHBUTTON = 1;
constexpr int BP_RADIOBUTTON = 2;
constexpr int BP_CHECKBOX = 3;
constexpr int BP_GROUPBOX = 4;
constexpr int PBS_NORMAL = 1;
constexpr int PBS_HOT = 2;
constexpr int PBS_PRESSED = 3;
constexpr int PBS_DISABLED = 4;
constexpr int PBS_DEFAULTED = 5;
constexpr int RBS_UNCHECKEDNORMAL = 1;
constexpr int RBS_UNCHECKEDHOT = 2;
constexpr int RBS_UNCHECKEDPRESSED = 3;
constexpr int RBS_UNCHECKEDDISABLED = 4;
constexpr int RBS_CHECKEDNORMAL = 5;
constexpr int RBS_CHECKEDHOT = 6;
constexpr int RBS_CHECKEDPRESSED = 7;
constexpr int RBS_CHECKEDDISABLED = 8;
constexpr int CBS_UNCHECKEDNORMAL = 1;
constexpr int CBS_UNCHECKEDHOT = 2;
constexpr int CBS_UNCHECKEDPRESSED = 3;
constexpr int CBS_UNCHECKEDDISABLED = 4;
constexpr int CBS_CHECKEDNORMAL = 5;
constexpr int CBS_CHECKEDHOT = 6;
constexpr int CBS_CHECKEDPRESSED = 7;
constexpr int CBS_CHECKEDDISABLED = 8;
constexpr int CBS_MIXEDNORMAL = 9;
constexpr int CBS_MIXEDHOT = 10;
constexpr int CBS_MIXEDPRESSED = 11;
constexpr int CBS_MIXEDDISABLED = 12;
constexpr int GBS_NORMAL = 1;
constexpr int GBS_DISABLED = 2;

// Header
constexpr int HP_HEADERITEM = 1;
constexpr int HIS_NORMAL = 1;
constexpr int HIS_HOT = 2;
constexpr int HIS_PRESSED = 3;

// Window
constexpr int WP_SMALLCLOSEBUTTON = 19;
constexpr int CBS_NORMAL = 1;
constexpr int CBS_HOT = 2;
constexpr int CBS_PUSHED = 3;
constexpr int CBS_DISABLED = 4;

// ComboBox
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int CBXS_NORMAL = 1;
constexpr int CBXS_HOT = 2;
constexpr int CBXS_PRESSED = 3;
constexpr int CBXS_DISABLED = 4;

// Edit
constexpr int EP_EDITTEXT = 1;
constexpr int ETS_NORMAL = 1;
constexpr int ETS_HOT = 2;
constexpr int ETS_SELECTED = 3;
constexpr int ETS_DISABLED = 4;
constexpr int ETS_FOCUSED = 5;
constexpr int ETS_READONLY = 6;

// Tab
constexpr int TABP_TABITEM = 1;
constexpr int TABP_PANE = 9;
constexpr int TIS_NORMAL = 1;
constexpr int TIS_HOT = 2;
constexpr int TIS_SELECTED = 3;
constexpr int TIS_DISABLED = 4;

// ScrollBar
constexpr int SBP_ARROWBTN = 1;
constexpr int SBP_THUMBBTNHORZ = 2;
constexpr int SBP_THUMBBTNVERT = 3;
constexpr int SBP_LOWERTRACKHORZ = 4;
constexpr int SBP_UPPERTRACKHORZ = 5;
constexpr int SBP_LOWERTRACKVERT = 6;
constexpr int SBP_UPPERTRACKVERT = 7;
constexpr int SBP_GRIPPERHORZ = 8;
constexpr int SBP_GRIPPERVERT = 9;
constexpr int SBP_SIZEBOX = 10;
constexpr int ABS_UPNORMAL = 1;
constexpr int ABS_UPHOT = 2;
constexpr int ABS_UPPRESSED = 3;
constexpr int ABS_UPDISABLED = 4;
constexpr int ABS_DOWNNORMAL = 5;
constexpr int ABS_DOWNHOT = 6;
constexpr int ABS_DOWNPRESSED = 7;
constexpr int ABS_DOWNDISABLED = 8;
constexpr int ABS_LEFTNORMAL = 9;
constexpr int ABS_LEFTHOT = 10;
constexpr int ABS_LEFTPRESSED = 11;
constexpr int ABS_LEFTDISABLED = 12;
constexpr int ABS_RIGHTNORMAL = 13;
constexpr int ABS_RIGHTHOT = 14;
constexpr int ABS_RIGHTPRESSED = 15;
constexpr int ABS_RIGHTDISABLED = 16;
constexpr int SCRBS_NORMAL = 1;
constexpr int SCRBS_HOT = 2;
constexpr int SCRBS_PRESSED = 3;
constexpr int SCRBS_DISABLED = 4;

// Spin
constexpr int SPNP_UP = 1;
constexpr int SPNP_DOWN = 2;
constexpr int UPS_NORMAL = 1;
constexpr int UPS_HOT = 2;
constexpr int UPS_PRESSED = 3;
constexpr int UPS_DISABLED = 4;
constexpr int DNS_NORMAL = 1;
constexpr int DNS_HOT = 2;
constexpr int DNS_PRESSED = 3;
constexpr int DNS_DISABLED = 4;

// TreeView
constexpr int TVP_GLYPH = 2;
constexpr int GLPR_CLOSED = 1;
constexpr int GLPR_OPEN = 2;

// TrackBar
constexpr int TKP_TRACK = 1;
