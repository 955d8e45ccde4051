#pragma once
// The numbers of the desktop program's commands: menu items, toolbar buttons, keys and the status
// panes that commands fill. The numbers are the program's own and stay as they are (stored toolbar
// states, help contexts and the string table's prompts are keyed by them); code names them here.
// A control inside a dialog is named "id" + its number and needs no constant.

namespace QuorCommand {

// File
constexpr int ID_FILE_NEW = 57600;         // New Borehole
constexpr int ID_FILE_OPEN = 57601;        // Open Borehole
constexpr int ID_FILE_SAVE = 57603;        // Save Borehole
constexpr int ID_FILE_SAVE_AS = 32915;     // Save Borehole As
constexpr int ID_EXPORT_LEFT = 32881;      // export the left borehole to a text file
constexpr int ID_EXPORT_RIGHT = 32882;     // export the right borehole to a text file
constexpr int ID_EXPORT_BOTH = 32883;      // export both boreholes to a text file
constexpr int ID_OPEN_TRACE = 32908;       // Open Trace
constexpr int ID_TRACE_MANAGER = 32909;    // Trace Manager
constexpr int ID_CLOSE_ALL_TRACES = 32910; // Close All Traces
constexpr int ID_FILE_PRINT = 57607;       // Print
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_PRINT_SAMPLE_LABELS = 32959;
constexpr int ID_PAGE_SETUP = 32873;
constexpr int ID_PRINT_LAYOUT = 32971;   // developer mode only
constexpr int ID_FILE_MRU_FILE1 = 57616; // the first of the four recent files
constexpr int ID_APP_EXIT = 57665;

// Edit
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635; // bound to keys, handled nowhere
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_PASTE_SPECIAL = 32963;
constexpr int ID_INSERT_MODE = 32938;
constexpr int ID_RELABEL_SAMPLE_NUMBERS = 32918;

// View
constexpr int ID_SCALE = 32846;
constexpr int ID_SAMPLE_NUMBERS = 32797;
constexpr int ID_RULER = 32845;
constexpr int ID_FINE_SCROLL = 32895;
constexpr int ID_LINK_SCROLLBARS = 32844;
constexpr int ID_SET_DISPLAY_TOP_DEPTH = 32896;
constexpr int ID_FILTER_TRACES = 32798;
constexpr int ID_TRACE_COLUMN1 = 32867;
constexpr int ID_TRACE_COLUMN2 = 32868;
constexpr int ID_TRACE_COLUMN3 = 32869;
constexpr int ID_TRACE_COLOUR_FIRST = 1200; // the 17 trace colours, 1200 to 1216
constexpr int ID_TRACE_COLOUR_LAST = 1216;
constexpr int ID_SHIFT_TRACE = 32897;
constexpr int ID_AVERAGE_TRACE = 32898;
constexpr int ID_OPTIONS = 32941;

// Mode
constexpr int ID_MODE_CREATE_BOUNDARIES = 32839;
constexpr int ID_MODE_PICK_AND_DRAG = 32840;
constexpr int ID_MODE_SET_ROCK = 32842;
constexpr int ID_MODE_MERGE = 32791;
constexpr int ID_MODE_INSERT = 32792;
constexpr int ID_MODE_SET_BASE_DEPTH = 32841;
constexpr int ID_MODE_CORRELATE = 32889;
constexpr int ID_MODE_DELETE = 32838;
constexpr int ID_MODE_NORMAL = 32831;

// The unit context menu and the unit keys
constexpr int ID_UNIT_PROPERTIES = 32943;
constexpr int ID_MERGE_UP = 32906;
constexpr int ID_CORRELATE_UNIT = 32904;
constexpr int ID_SAMPLE_NUMBER = 32903;
constexpr int ID_SET_ROCK_TYPE = 32902;
constexpr int ID_DELETE_UNIT = 32907;
constexpr int ID_DELETE_KEY = 32836; // Del; also Delete in the page-layout view

// Keys without a menu entry
constexpr int ID_PAGE_DOWN = 32821;
constexpr int ID_PAGE_UP = 32822;
constexpr int ID_LINE_DOWN = 32824;
constexpr int ID_LINE_UP = 32825;
constexpr int ID_MOVE_FOCUS_RIGHT = 32826;
constexpr int ID_MOVE_FOCUS_LEFT = 32827;
constexpr int ID_ZOOM_IN = 32833;
constexpr int ID_ZOOM_OUT = 32834;
constexpr int ID_NEXT_UNIT = 32944;
constexpr int ID_PREVIOUS_UNIT = 32945;
constexpr int ID_REDRAW = 32948;
constexpr int ID_ENTER_KEY = 32951;
constexpr int ID_CANCEL_OPERATION = 32955; // Esc
constexpr int ID_SCROLL_TO_TOP = 32956;
constexpr int ID_SCROLL_TO_BOTTOM = 32957;

// Help
constexpr int ID_HELP_TOPICS = 32893;
constexpr int ID_GETTING_STARTED_GUIDE = 32958;
constexpr int ID_RELEASE_NOTES = 32810;
constexpr int ID_APP_ABOUT = 32890;
constexpr int ID_CONTEXT_HELP = 57669; // Shift+F1
constexpr int ID_HELP = 57670;         // F1

// The page-layout view and its bar
constexpr int ID_LAYOUT_ADD_SECTION = 1331;
constexpr int ID_LAYOUT_ADD_LEGEND = 1332;
constexpr int ID_LAYOUT_CLOSE = 1333;
constexpr int ID_LAYOUT_SAVE = 1334; // no handler: shown disabled
constexpr int ID_LAYOUT_ADD_TITLE = 1335;
constexpr int ID_LAYOUT_PAGE_SETUP = 1339;
constexpr int ID_LAYOUT_PRINT_SETUP = 1340;
constexpr int ID_LAYOUT_DELETE = 32974;
constexpr int ID_LAYOUT_PROPERTIES = 32975;

// Status-bar panes filled by the view
constexpr int ID_INDICATOR_TOOL = 109;
constexpr int ID_INDICATOR_LITHOLOGY = 110;
constexpr int ID_INDICATOR_SCALE = 111;
constexpr int ID_INDICATOR_TRACES = 112;

} // namespace QuorCommand
