#pragma once

// Numeric ids of the program's resources: dialogs, controls, menus, menu
// commands, icons, images and strings. Dialogs put a control's id on the
// widget as the dynamic property "controlId" so that tests and callers can
// find controls by these numbers; menu actions carry their command id as
// QAction::data().
namespace Res {

// Dialog templates.
inline constexpr int IDD_MAIN = 101;         // DlgMain
inline constexpr int IDD_ABOUT = 102;        // DlgAbout
inline constexpr int IDD_BOOK = 103;         // DlgBook
inline constexpr int IDD_QUESTION = 104;     // DlgQuestion
inline constexpr int IDD_RANGE = 105;        // DlgRange
inline constexpr int IDD_SENTENCE = 106;     // DlgSentence
inline constexpr int IDD_RANGE_INDEX = 107;  // DlgRangeIndex (page)
inline constexpr int IDD_RANGE_NUMBER = 108; // DlgRangeNumber (page)
inline constexpr int IDD_AUTO = 109;         // DlgAuto
inline constexpr int IDD_PRINT = 110;        // DlgPrint (page)
inline constexpr int IDD_CONFIG = 111;       // DlgConfig

// Icons, images, menus and accelerators.
inline constexpr int IDI_APP = 129;         // the program's icon
inline constexpr int IDB_CHECKS = 131;      // check images of the lists
inline constexpr int IDR_TAB_MENU = 132;    // context menu of the print tabs
inline constexpr int IDR_PRINT_MENU = 133;  // context menu of a print page
inline constexpr int IDI_APPLY_ALL = 134;   // icon of the "apply to all" button
inline constexpr int IDR_ORDER_MENU = 135;  // the question-order popup
inline constexpr int IDR_MAIN_MENU = 1001;  // menu bar of the main dialog
inline constexpr int IDR_MAIN_ACCEL = 1001; // accelerators of the main dialog

// Menu commands.
inline constexpr int ID_APP_ABOUT = 201;
inline constexpr int ID_APP_EXIT = 202;
inline constexpr int ID_OUTPUT_WORD = 203;
inline constexpr int ID_OUTPUT_TARO = 204;
inline constexpr int ID_OPTIONS = 205;
inline constexpr int ID_HELP_BROWSER = 206;
inline constexpr int ID_PRINT_ADD = 207;
inline constexpr int ID_PRINT_DELETE = 208;
inline constexpr int ID_SELECT_SENTENCES = 209;
inline constexpr int ID_CHECK_UPDATE = 210;
inline constexpr int ID_GET_UPDATE = 211; // added to the menu bar when an update exists
inline constexpr int ID_ORDER_BOOK = 212;
inline constexpr int ID_ORDER_RANDOM = 213;
inline constexpr int ID_SAVE_PDF = 214;        // the prints into a PDF file, Writer not shown
inline constexpr int ID_PRINT_RENAME = 215;    // names the current print after its class
inline constexpr int ID_TEMPLATE_FOLDER = 231; // opens the teacher's template folder
inline constexpr int ID_IMPORT_BOOK = 232;     // makes a book from a teacher's sheet
inline constexpr int ID_HISTORY = 233;         // the record of print runs (DlgHistory)
inline constexpr int ID_EXPORT = 240;          // the prints for learning platforms and tablets, no office

// Buttons common to all dialogs.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// DlgMain.
inline constexpr int IDC_BOOK_NAME = 1101;
inline constexpr int IDC_CHANGE_BOOK = 1102;
inline constexpr int IDC_SELECT_QUESTIONS = 1103;
inline constexpr int IDC_SELECT_RANGE = 1104;
inline constexpr int IDC_AUTO_SELECT = 1105;
inline constexpr int IDC_TEMPLATE = 1106;
inline constexpr int IDC_CREATE_PRINT = 1107;
inline constexpr int IDC_PRINT_TABS = 1108;
inline constexpr int IDC_STATUS_BAR = 1109;
inline constexpr int IDC_USE_BONUS = 2103;

// DlgAbout.
inline constexpr int IDC_VERSION = 1201;
inline constexpr int IDC_SUPPORT_LINK = 1202;

// DlgBook.
inline constexpr int IDC_BOOK_LIST = 1301;

// DlgQuestion.
inline constexpr int IDC_QUESTION_LIST = 1401;
inline constexpr int IDC_QUESTION_UP = 1402;
inline constexpr int IDC_QUESTION_DOWN = 1403;

// DlgRange.
inline constexpr int IDC_RANGE_TABS = 1501;
inline constexpr int IDC_RANGE_PREV = 1502;
inline constexpr int IDC_RANGE_NEXT = 1503;
inline constexpr int IDC_KEYWORD_COUNT = 1504;
inline constexpr int IDC_KEYWORD_LIST = 1505;

// DlgSentence.
inline constexpr int IDC_INSTRUCTION = 1601;
inline constexpr int IDC_SELECT_ALL = 1602;
inline constexpr int IDC_SENTENCE_LIST = 1603;
inline constexpr int IDC_SENTENCE_UP = 1604;
inline constexpr int IDC_SENTENCE_DOWN = 1605;

// DlgRangeIndex.
inline constexpr int IDC_INDEX_LIST = 1701;

// DlgRangeNumber.
inline constexpr int IDC_RANGE_METHOD = 1801;
inline constexpr int IDC_VALID_RANGE = 1802;
inline constexpr int IDC_LOWER_VALUE = 1803;
inline constexpr int IDC_UPPER_VALUE = 1804;
inline constexpr int IDC_LOWER_SPIN = 1805;
inline constexpr int IDC_UPPER_SPIN = 1806;
inline constexpr int IDC_ADD_INTERVAL = 1807;
inline constexpr int IDC_INTERVAL_LIST = 1808;
inline constexpr int IDC_DELETE_INTERVAL = 1809;
inline constexpr int IDC_CLEAR_INTERVALS = 1810;
inline constexpr int IDC_RANGE_GROUP = 1811;

// DlgAuto.
inline constexpr int IDC_CLASS_COUNT = 1901;
inline constexpr int IDC_CLASS_COUNT_SPIN = 1902;
inline constexpr int IDC_COUNT_LIST = 1903;
inline constexpr int IDC_COUNT_EDIT = 1904;      // in-place editor, made at run time
inline constexpr int IDC_COUNT_EDIT_SPIN = 1905; // its up-down, made at run time
inline constexpr int IDC_APPLY_ALL = 1906;
inline constexpr int IDC_BULK_COUNT = 1907;
inline constexpr int IDC_BULK_COUNT_SPIN = 1908;
inline constexpr int IDC_RANDOMIZE = 1909;
inline constexpr int IDC_CLASS_NAMES = 1910; // one class name a row
inline constexpr int IDC_AVOID_TESTED = 1911;
inline constexpr int IDC_AVOID_RUNS = 1912;
inline constexpr int IDC_AVOID_RUNS_SPIN = 1913;

// DlgPrint.
inline constexpr int IDC_PRINT_LIST = 2001;

// DlgConfig.
inline constexpr int IDC_PRINT_TITLE = 2101;
inline constexpr int IDC_SHOW_RANGE = 2102;

// Strings (texts in res/StringTable.cpp).
inline constexpr int IDS_APP_TITLE = 501;   // caption of every message box
inline constexpr int IDS_SUPPORT_URL = 502; // support web site, ends with "/"
inline constexpr int IDS_PRINT_TAB = 551;   // tab caption, %d = print number
inline constexpr int IDS_TAB_BY_INDEX = 552;
inline constexpr int IDS_TAB_BY_NUMBER = 553;
inline constexpr int IDS_KEYWORD_COUNT = 554; // %d = number of keywords
inline constexpr int IDS_SELECT_BY = 555;     // %s = attribute class name
inline constexpr int IDS_INTERVAL = 556;      // %d, %d = from, to
inline constexpr int IDS_VALID_RANGE = 557;   // %d, %d = minimum, maximum
inline constexpr int IDS_COL_FORMAT = 558;
inline constexpr int IDS_COL_INSTRUCTION = 559;
inline constexpr int IDS_COL_QUESTION = 560;
inline constexpr int IDS_COL_ANSWER = 561;
inline constexpr int IDS_UNIT_HEADER = 562;  // %d = unit number, %s = instruction
inline constexpr int IDS_SENTENCE_ROW = 563; // %d = number, %s = question text
inline constexpr int IDS_ADD_PLACEHOLDER = 564;
inline constexpr int IDS_NO_CANDIDATES = 565;
inline constexpr int IDS_COL_COUNT = 566;
inline constexpr int IDS_FIRST_STEPS = 581;     // a print page with no question format yet
inline constexpr int IDS_ERR_APPLICATION = 600; // %d = result code
inline constexpr int IDS_ERR_NO_BOOK_DATABASE = 601;
inline constexpr int IDS_ERR_LOAD_BOOK_DATABASE = 602;
inline constexpr int IDS_ERR_USER_DATABASE = 603;
inline constexpr int IDS_ERR_NO_WORD_PROCESSOR = 604;
inline constexpr int IDS_ERR_NO_TEMPLATE = 605;
inline constexpr int IDS_ERR_CREATE_PRINT = 606;
inline constexpr int IDS_ERR_NO_HELP_FILE = 607; // %s = path of the help file
inline constexpr int IDS_ERR_SHOW_HELP = 608;
inline constexpr int IDS_ERR_AUTO_SELECT = 609;
inline constexpr int IDS_ERR_AUTO_SELECT_NO_FORMAT = 610;
inline constexpr int IDS_WARN_TOO_FEW_SENTENCES = 611;
inline constexpr int IDS_WARN_REPEATED_KEYWORD = 612;
inline constexpr int IDS_ERR_UPDATE_CHECK = 613;
inline constexpr int IDS_ERR_AUTO_SELECT_TIMEOUT = 614;
// Why a template cannot be used: the line under 606.
inline constexpr int IDS_TEMPLATE_UNREADABLE = 620;     // %s = the template file
inline constexpr int IDS_TEMPLATE_NOT_A_DOCUMENT = 621; // %s = the template file
inline constexpr int IDS_TEMPLATE_NO_STYLE = 622;       // %s = the paragraph style
inline constexpr int IDS_TEMPLATE_BEGINS_WITH_TABLE = 623;
inline constexpr int IDS_TEMPLATE_MARK_LEFT = 624;   // %s = the mark ("@title")
inline constexpr int IDS_ERR_TEMPLATE_FOLDER = 631;  // %s = the teacher's template folder
inline constexpr int IDS_ERR_NOTHING_TO_PRINT = 647; // a print run without a single sub-question
inline constexpr int IDS_ERR_SAVE_STATE = 651;
inline constexpr int IDS_ERR_SAVE_STATE_BECAUSE = 656;   // %s = why, in the teacher's words
inline constexpr int IDS_ERR_BOOK_FILE_UNREADABLE = 652; // %s = the files, one a line
inline constexpr int IDS_ERR_PRINT_TOO_LARGE = 670;      // %s = one of the three below
inline constexpr int IDS_TOO_MANY_COMMANDS = 671;        // %d, %d = count, limit
inline constexpr int IDS_TEXT_TOO_LONG = 672;            // %d, %d = length, limit
inline constexpr int IDS_TOO_MUCH_TEXT = 673;            // %d, %d = total, limit
inline constexpr int IDS_ERR_SAVE_PDF = 674;             // %s = why
// Why an output file cannot be written: the %s of 674 and 685.
inline constexpr int IDS_OUT_IS_FOLDER = 675;       // %s = the target
inline constexpr int IDS_OUT_NO_FOLDER = 676;       // %s = the folder
inline constexpr int IDS_OUT_CANNOT_WRITE = 677;    // %s, %s = the folder, 615/616 or nothing
inline constexpr int IDS_OUT_NOTHING_WRITTEN = 678; // %s = the target
inline constexpr int IDS_OUT_CANNOT_PLACE = 679;    // %s, %s = the target, 615/616 or nothing
inline constexpr int IDS_OUT_NOT_PERMITTED = 615;
inline constexpr int IDS_OUT_DISK_FULL = 616;
inline constexpr int IDS_CLI_USAGE = 680;
inline constexpr int IDS_CLI_UNKNOWN_FORMAT = 681; // %s, %s = file, the extensions
inline constexpr int IDS_CLI_NO_TEMPLATE = 682;    // %s = template name
inline constexpr int IDS_CLI_NO_SELECTION = 683;
inline constexpr int IDS_CLI_NOTHING_TO_PRINT = 684;
inline constexpr int IDS_CLI_CANNOT_WRITE = 685; // %s = why
inline constexpr int IDS_CLI_BAD_USAGE = 686;    // %s = what is wrong
inline constexpr int IDS_CLI_WAITING_FOR_OTHER = 687;
inline constexpr int IDS_CLI_OTHER_TOO_LONG = 688;       // %d = minutes waited
inline constexpr int IDS_NO_DISPLAY = 689;               // the window cannot be shown
inline constexpr int IDS_CLI_HISTORY_UNREADABLE = 690;   // %s = why
inline constexpr int IDS_ERR_SINGLE_INSTANCE_LOCK = 653; // %s = where the lock was tried first
inline constexpr int IDS_PRINTS_LEFT_OUT = 654;          // %d, %d = prints stored, prints restored
inline constexpr int IDS_ERR_BOOK_FILE_CHANGED = 655;
inline constexpr int IDS_TOO_MANY_PRINTS = 660; // %d = the most prints there are
inline constexpr int IDS_READY = 701;
inline constexpr int IDS_CREATING_PRINTS = 702;
inline constexpr int IDS_CONFIRM_DELETE_PRINT = 703;
inline constexpr int IDS_CONFIRM_DISCARD_PRINTS = 707; // before another book replaces the prints
inline constexpr int IDS_AUTO_SELECT_REPEATS = 708;    // %d = sub-questions of keywords tested lately
inline constexpr int IDS_NEED_FORMAT_AND_RANGE = 704;
inline constexpr int IDS_UPDATE_AVAILABLE = 705; // menu text of ID_GET_UPDATE
inline constexpr int IDS_UP_TO_DATE = 706;
inline constexpr int IDS_SAVED_PDF = 751; // %s = the file
inline constexpr int IDS_PRINT_CANCELLED = 752;
inline constexpr int IDS_SAVING_PDF = 753;
inline constexpr int IDS_WARN_TEMPLATE_LINKS = 754;       // %s = the linked addresses
inline constexpr int IDS_TEMPLATE_LINKS_MORE = 755;       // %s = how many more
inline constexpr int IDS_ERR_HISTORY_WRITE = 901;         // %s = the history file and why
inline constexpr int IDS_HISTORY_SET_ASIDE = 902;         // %s = where the damaged file went
inline constexpr int IDS_ERR_HISTORY_READ = 903;          // %s = why
inline constexpr int IDS_ERR_HISTORY_NO_BOOK = 904;       // %s = the book's title
inline constexpr int IDS_WARN_HISTORY_MISSING = 905;      // %s = the sub-questions, one a line
inline constexpr int IDS_HISTORY_MISSING_ITEM = 906;      // print, format, number, keyword, sentence id
inline constexpr int IDS_WARN_HISTORY_BOOK_CHANGED = 907; // %s = the book's title
inline constexpr int IDS_CONFIRM_DELETE_RUN = 908;
inline constexpr int IDS_ERR_HISTORY_CSV = 909; // %s = why
inline constexpr int IDS_EXPORT_PAGE_SUBTITLE = 820;
inline constexpr int IDS_EXPORT_PAGE_CHECK = 821;
inline constexpr int IDS_EXPORT_PAGE_SHOW = 822;
inline constexpr int IDS_EXPORT_PAGE_HIDE = 823;
inline constexpr int IDS_EXPORT_PAGE_SCORE = 824; // %d, %d = right, all
inline constexpr int IDS_EXPORT_PAGE_INPUT = 825; // %d = the sub-question's number
inline constexpr int IDS_EXPORT_PAGE_RIGHT = 826;
inline constexpr int IDS_EXPORT_PAGE_WRONG = 827;
inline constexpr int IDS_EXPORT_KEY_HEADER = 828; // the answer key's columns, comma-separated
inline constexpr int IDS_EXPORT_PAGE_HINT = 829;
inline constexpr int IDS_EXPORTED = 837;   // %s = the file
inline constexpr int IDS_ERR_EXPORT = 838; // %s = why
inline constexpr int IDS_CLI_EXPORT_TEMPLATE = 839;

} // namespace Res
