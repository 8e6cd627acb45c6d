#include "app/main_menu.h"

#include <algorithm>
#include <array>

namespace telvane::app {

using config::Key;
namespace F = item_flag;

namespace {

constexpr std::array<MenuDef, 11> kMenus{{{"MainFileItem", "&File", 46},
                                          {"MainEditItem", "&Edit", 47},
                                          {"MainInsertItem", "&Insert", 76},
                                          {"MainRunOrderItem", "&Run Order", 48},
                                          {"MainProgramItem", "Pro&gram", 475},
                                          {"MainPromptItem", "&Prompt", 49},
                                          {"MainViewItem", "&View", 50},
                                          {"MainOptionsItem", "&Options", 51},
                                          {"MainWindowItem", "&Window", 52},
                                          {"MainPresenterItem", "Pre&senter", 865},
                                          {"MainHelpItem", "&Help", 53}}};

// name, parent, caption, message, keys, flags, missing subsystem
constexpr MenuItemDef kItems[] = {
    {"FileNewItem", "MainFileItem", "&New", 54, "Ctrl+N", 0, ""},
    {"FileOpenItem", "MainFileItem", "&Open", 55, "Ctrl+O", 0, ""},
    {"FileAppendItem", "MainFileItem", "App&end", 56, "Ctrl+E", 0, ""},
    {"FileLoadLocalConfigurationItem", "MainFileItem", "Load Config", 1162, "", 0, ""},
    {"FileDeleteItem", "MainFileItem", "&Delete", 57, "", F::kSeparator, ""},
    {"FileSaveScriptItem", "MainFileItem", "&Save Script", 58, "Ctrl+S", F::kSeparator, ""},
    {"FileSaveScriptAsItem", "MainFileItem", "Save Script &As...", 59, "", 0, ""},
    {"FileSaveStoryItem", "MainFileItem", "Sa&ve Story", 60, "", 0, ""},
    {"FileSaveStoryAsItem", "MainFileItem", "Save Stor&y As", 61, "", 0, ""},
    {"FileSaveAllStoriesItem", "MainFileItem", "Save All", 1101, "", 0, ""},
    {"FileSaveStoryRemoteItem", "MainFileItem", "Save Story (Re&mote)", 498, "Ctrl+T",
     F::kSeparator, ""},
    {"FileSaveAllStoriesRemoteItem", "MainFileItem", "Save A&ll Remote", 684, "", 0, ""},
    {"FileSaveRunOrderRemoteItem", "MainFileItem", "Save R&un Order", 303, "", 0,
     "run-order writer for the newsroom system"},
    {"FileSaveLocalConfigurationAsItem", "MainFileItem", "Save Config As", 1161, "", F::kSeparator,
     ""},
    {"FilePrintStoryItem", "MainFileItem", "&Print Story", 62, "F7", F::kSeparator, "printing"},
    {"FilePrintScriptItem", "MainFileItem", "Print Scrip&t", 63, "Ctrl+F7", 0, "printing"},
    {"FilePrintRunOrderItem", "MainFileItem", "Print &Run Order", 65, "Shift+F7", 0, "printing"},
    {"FilePrintDisplayRtItem", "MainFileItem", "Print Pro&gram Timing", 578, "", 0, "printing"},
    {"FilePrintBlockItem", "MainFileItem", "Print &Highlighted Block", 64, "", 0, "printing"},
    {"FilePrintBookmarksItem", "MainFileItem", "Print Boo&kmarks", 160, "", 0, "printing"},
    {"FilePrintConfigurationItem", "MainFileItem", "Print &Configuration", 501, "", 0, "printing"},
    {"FilePrintSetupItem", "MainFileItem", "Printer Set&up", 66, "", 0, "printing"},
    {"FileExitItem", "MainFileItem", "E&xit", 67, "", F::kSeparator, ""},
    {"File1", "MainFileItem", "1", 0, "", F::kSeparator, ""},
    {"File2", "MainFileItem", "2", 0, "", 0, ""},
    {"File3", "MainFileItem", "3", 0, "", 0, ""},
    {"File4", "MainFileItem", "4", 0, "", 0, ""},
    {"EditUndoItem", "MainEditItem", "&Undelete", 367, "Ctrl+Z", 0, "undelete"},
    {"EditCutItem", "MainEditItem", "Local Cu&t", 68, "Ctrl+X", 0, "local clipboard"},
    {"EditCopyItem", "MainEditItem", "Local &Copy", 69, "Ctrl+C", 0, "local clipboard"},
    {"EditPasteItem", "MainEditItem", "Local &Paste", 70, "Ctrl+V", 0, "local clipboard"},
    {"EditDeleteItem", "MainEditItem", "Local &Delete", 71, "Ctrl+Del", 0, "local clipboard"},
    {"EditWinPasteItem", "MainEditItem", "P&aste", 129, "", F::kSeparator, "clipboard import"},
    {"EditSelectSentenceItem", "MainEditItem", "Select Se&ntence", 481, "Ctrl+J", F::kSeparator,
     "selection commands"},
    {"EditSelectParagraphItem", "MainEditItem", "Select Paragrap&h", 482, "Ctrl+K", 0,
     "selection commands"},
    {"EditSelectStoryItem", "MainEditItem", "Select Stor&y", 72, "Ctrl+L", 0, "selection commands"},
    {"EditSelectProgramItem", "MainEditItem", "Select Pro&gram", 483, "Ctrl+M", 0,
     "selection commands"},
    {"EditSelectAllItem", "MainEditItem", "Select A&ll", 73, "Ctrl+A", 0, "selection commands"},
    {"EditSelectAllSluglinesItem", "MainEditItem", "Select All Sluglines", 1071, "Ctrl+Shift+S", 0,
     "selection commands"},
    {"EditFindItem", "MainEditItem", "&Find", 74, "Ctrl+F", F::kSeparator, "find and replace"},
    {"EditReplaceItem", "MainEditItem", "Find and R&eplace", 75, "Ctrl+H", 0, "find and replace"},
    {"EditInsertItem", "MainEditItem", "&Insert", 76, "Ins", F::kHidden, ""},
    {"EditReformatItem", "MainEditItem", "Refor&mat  Text", 78, "Ctrl+F3", F::kSeparator, ""},
    {"EditCreateSlugItem", "MainEditItem", "Create &Slug Line", 79, "Ctrl+F5", 0, ""},
    {"EditCloakLineItem", "MainEditItem", "Toggle Cloa&k Line", 80, "Ctrl+F10", F::kSeparator, ""},
    {"EditMarkLineItem", "MainEditItem", "Toggle &Bookmark", 144, "", 0, ""},
    {"EditSnapshotLineItem", "MainEditItem", "Toggle Sn&apshot", 305, "F6", 0, ""},
    {"EditNonCaptionItem", "MainEditItem", "Toggle Non Caption", 858, "Ctrl+F11", 0, ""},
    {"EditPresenterInstructionItem", "MainEditItem", "Toggle Pres Inst", 1414, "", 0, ""},
    {"EditPackageTextItem", "MainEditItem", "Toggle Pkg Text", 1415, "", 0, ""},
    {"EditDeleteLineItem", "MainEditItem", "Delete &Whole Line", 81, "Ctrl+Y", F::kSeparator, ""},
    {"EditSetHardReturnsItem", "MainEditItem", "Set &Hard Returns", 127, "", 0, ""},
    {"EditClearHardReturnsItem", "MainEditItem", "Clear Hard &Returns", 128, "", 0, ""},
    {"EditForceUppercaseItem", "MainEditItem", "Fo&rce Uppercase", 484, "", F::kSeparator, ""},
    {"EditForceLowercaseItem", "MainEditItem", "Force Lowercase", 1053, "", 0, ""},
    {"EditRemoveMultipleSpacesItem", "MainEditItem", "Remo&ve Multiple Spaces", 485, "", 0, ""},
    {"EditDeleteAllMacrosItem", "MainEditItem", "Del Macros", 1248, "", F::kSeparator, "macros"},
    {"ShiftFocusItem", "MainEditItem", "Shift Focus", 0, "F3", F::kHidden, ""},
    {"EscapeItem", "MainEditItem", "Escape", 0, "Esc", F::kHidden, ""},
    {"GridsUpItem", "MainEditItem", "Grid Taller", 0, "Ctrl+Shift+A", F::kHidden,
     "grid size setting"},
    {"GridsNarrowerItem", "MainEditItem", "Grids Narrower", 0, "Ctrl+Shift+B", F::kHidden,
     "grid size setting"},
    {"MosEventTriggerItem", "MainEditItem", "MOS Event Trigger", 0, "F10", F::kHidden, "MOS link"},
    {"PciCueLeftItem", "MainEditItem", "Cue Left", 0, "Ctrl+Shift+Left", F::kHidden, ""},
    {"PciCueRightItem", "MainEditItem", "Cue Right", 0, "Ctrl+Shift+Right", F::kHidden, ""},
    {"LeftMarginIncreaseItem", "MainEditItem", "Left Increase", 0, "Ctrl+Shift+C", F::kHidden, ""},
    {"LeftMarginDecreaseItem", "MainEditItem", "Left Decrease", 0, "Ctrl+Shift+D", F::kHidden, ""},
    {"RightMarginIncreaseItem", "MainEditItem", "Right Increase", 0, "Ctrl+Shift+E", F::kHidden, ""},
    {"RightMarginDecreaseItem", "MainEditItem", "Right Decrease", 0, "Ctrl+Shift+F", F::kHidden, ""},
    {"BackgroundMessageIncreaseItem", "MainEditItem", "Message Increase", 0, "Ctrl+Shift+G",
     F::kHidden, "prompt pages and overlays"},
    {"BackgroundMessageDecreaseItem", "MainEditItem", "Message Decrease", 0, "Ctrl+Shift+H",
     F::kHidden, "prompt pages and overlays"},
    {"Macro0Item", "MainEditItem", "Macro0", 0, "Ctrl+1", F::kHidden, "macros"},
    {"Macro1SaveItem", "MainEditItem", "Macro1", 0, "Ctrl+2", F::kHidden, "macros"},
    {"Macro2Item", "MainEditItem", "Macro2", 0, "Ctrl+3", F::kHidden, "macros"},
    {"Macro3Item", "MainEditItem", "Macro3", 0, "Ctrl+4", F::kHidden, "macros"},
    {"Macro4Item", "MainEditItem", "Macro4", 0, "Ctrl+5", F::kHidden, "macros"},
    {"Macro5Item", "MainEditItem", "Macro5", 0, "Ctrl+6", F::kHidden, "macros"},
    {"Macro6Item", "MainEditItem", "Macro6", 0, "Ctrl+7", F::kHidden, "macros"},
    {"Macro7Item", "MainEditItem", "Macro7", 0, "Ctrl+8", F::kHidden, "macros"},
    {"Macro8Item", "MainEditItem", "Macro8", 0, "Ctrl+9", F::kHidden, "macros"},
    {"Macro9Item", "MainEditItem", "Macro9", 0, "Ctrl+0", F::kHidden, "macros"},
    {"Macro10Item", "MainEditItem", "Macro10", 0, "Ctrl+-", F::kHidden, "macros"},
    {"Macro11Item", "MainEditItem", "Macro11", 0, "Ctrl+=", F::kHidden, "macros"},
    {"RunTrackOffsetUpItem", "MainEditItem", "Run Track Up", 0, "Ctrl+Shift+J", F::kHidden, ""},
    {"RunTrackOffsetDownItem", "MainEditItem", "Run Track Down", 0, "Ctrl+Shift+K", F::kHidden, ""},
    {"SiShiftUpItem", "MainEditItem", "si shift up", 0, "Ctrl+Shift+1", F::kHidden, ""},
    {"SiShiftDownItem", "MainEditItem", "si shift down", 0, "Ctrl+Shift+2", F::kHidden, ""},
    {"CompleteNewLineItem", "MainEditItem", "complete new line", 0, "Ctrl+Return", F::kHidden,
     "line completion command"},
    {"InsertSlugLinesItem", "MainInsertItem", "Slug &Lines", 510, "Shift+F2", 0, ""},
    {"InsertPageBreakItem", "MainInsertItem", "&Page Break", 511, "Ctrl+P", 0, ""},
    {"InsertHardReturnItem", "MainInsertItem", "Hard &Return", 512, "Ctrl+G", 0, ""},
    {"InsertHardSpaceItem", "MainInsertItem", "Hard &Space", 513, "Ctrl+Shift+Space", 0, ""},
    {"InsertHardBlankItem", "MainInsertItem", "Hard &Blank Line", 514, "Ctrl+Shift+Return", 0, ""},
    {"InsertHardHyphenItem", "MainInsertItem", "Hard &Hyphen", 515, "Ctrl+Shift+-", 0, ""},
    {"InsertPresenterInstructionItem", "MainInsertItem", "Pres Inst", 1412, "Ctrl+Shift+Q",
     F::kSeparator, ""},
    {"InsertPackageTextItem", "MainInsertItem", "Package", 1413, "Ctrl+Shift+N", 0, ""},
    {"InsertStudioMarkItem", "MainInsertItem", "Studio &Mark", 743, "Ctrl+/", F::kSeparator, ""},
    {"RemoveStudioMarkItem", "MainInsertItem", "Remo&ve Studio Mark", 744, "Ctrl+Shift+/", 0, ""},
    {"DropStoryItem", "MainRunOrderItem", "&Drop Story", 82, "F5", 0, ""},
    {"UndropAllItem", "MainRunOrderItem", "&Undrop All Stories", 173, "", F::kSeparator, ""},
    {"RunOrderUndoLastMoveItem", "MainRunOrderItem", "Undo", 1209, "", 0, ""},
    {"ShowTopStoryItem", "MainRunOrderItem", "Show &Top Story", 83, "", F::kSeparator, ""},
    {"ShowLastStoryItem", "MainRunOrderItem", "Show &Last Story", 84, "", 0, ""},
    {"ShowAirStoryItem", "MainRunOrderItem", "Show &Air Story", 85, "", 0, ""},
    {"InsertStoryItem", "MainRunOrderItem", "&Insert Story", 136, "", F::kSeparator, ""},
    {"InsertAfterOnAirItem", "MainRunOrderItem", "I&nsert After AIR Story", 86, "End", 0, ""},
    {"ExchangePnewItem", "MainRunOrderItem", "&Exchange PNEW", 234, "", 0, ""},
    {"MoveStoryBlockItem", "MainRunOrderItem", "&Move Story Block", 169, "", 0, ""},
    {"DeleteStoryItem", "MainRunOrderItem", "Delete &Story", 87, "", F::kSeparator, ""},
    {"CloakStoryItem", "MainRunOrderItem", "Cloa&k Story", 88, "", 0, ""},
    {"UnCloakStoryItem", "MainRunOrderItem", "Uncloak Story", 271, "", 0, ""},
    {"ResequenceRunOrderItem", "MainRunOrderItem", "&Resequence", 172, "", F::kSeparator, ""},
    {"SetHostSequenceItem", "MainRunOrderItem", "Set &Host Sequence", 178, "", 0, "host line"},
    {"ClearRepItem", "MainRunOrderItem", "&Clear REP to NORM", 386, "", 0, ""},
    {"ChangeProgramIdItem", "MainRunOrderItem", "Chan&ge ID", 474, "", 0, ""},
    {"ChangeStoryFontItem", "MainRunOrderItem", "Change Story Font", 789, "", F::kSeparator, ""},
    {"CalculateRunTimeItem", "MainRunOrderItem", "Calculate Run Time", 473, "", 0, ""},
    {"DisplayRunTimesItem", "MainRunOrderItem", "Display Run Times", 886, "", F::kCheckable, ""},
    {"DisplayAccumulationTimesItem", "MainRunOrderItem", "Display Acc&umulation Times", 761, "",
     F::kCheckable, ""},
    {"RunOrderConfigurationItem", "MainRunOrderItem", "Con&figuration", 822, "", F::kSeparator, ""},
    {"RunOrderPromptTrackItem", "MainRunOrderItem", "Prompt Trac&k", 889, "", F::kCheckable, ""},
    {"ProgramCreateItem", "MainProgramItem", "&Create", 476, "", 0, "programmes"},
    {"ProgramFontChangeItem", "MainProgramItem", "&Font Change", 477, "", 0, "programmes"},
    {"ProgramActivityItem", "MainProgramItem", "&Activity", 478, "", 0, "programmes"},
    {"ProgramEnpsItem", "MainProgramItem", "ENPS", 0, "", F::kSeparator, "ENPS link"},
    {"ProgramApNewsItem", "MainProgramItem", "AP News", 803, "", 0, "AP NewsCenter link"},
    {"PromptOnItem", "MainPromptItem", "Prompt &On", 89, "F9", F::kCheckable, ""},
    {"PromptOffItem", "MainPromptItem", "Prompt O&ff", 90, "Ctrl+F9", F::kCheckable, ""},
    {"PromptRestartItem", "MainPromptItem", "Prompt &Restart", 112, "", 0, ""},
    {"PromptTrackOnItem", "MainPromptItem", "Prompt &Track On", 91, "F8",
     F::kCheckable | F::kSeparator, ""},
    {"PromptTrackOffItem", "MainPromptItem", "Prompt Trac&k Off", 92, "Ctrl+F8", F::kCheckable, ""},
    {"CentreJustifyItem", "MainPromptItem", "&Centre Justify", 93, "",
     F::kCheckable | F::kSeparator, ""},
    {"RemoveBlankLinesItem", "MainPromptItem", "Remove &Blank Lines", 193, "", F::kCheckable, ""},
    {"PromptInverseItem", "MainPromptItem", "&Inverse Video", 746, "Ctrl+Shift+I", F::kCheckable,
     ""},
    {"ResetPromptCardItem", "MainPromptItem", "Re&set Prompt Card", 190, "", F::kSeparator, ""},
    {"ClosedCaptionAccessItem", "MainPromptItem", "Caption Access", 797, "F12", F::kCheckable,
     "closed captions"},
    {"PromptBlankScreenItem", "MainPromptItem", "Blank Screen", 974, "Shift+F9", F::kCheckable, ""},
    {"PromptHandControlButtonItem", "MainPromptItem", "hand control", 1575, "", 0, "serial lines"},
    {"ViewNextStoryItem", "MainViewItem", "&Next Story", 94, "", 0, ""},
    {"ViewPreviousStoryItem", "MainViewItem", "&Previous Story", 95, "", 0, ""},
    {"ViewHardReturnsItem", "MainViewItem", "&Hard Carriage Returns", 96, "",
     F::kCheckable | F::kSeparator, ""},
    {"ViewMaxPreviewItem", "MainViewItem", "&Max Preview Height", 97, "Ctrl+Q", F::kCheckable, ""},
    {"ViewSpeedControlItem", "MainViewItem", "Prompt &Control Panel", 98, "Ctrl+R", F::kCheckable,
     ""},
    {"ViewMarkedLineItem", "MainViewItem", "&Bookmarks", 139, "Ctrl+B", F::kCheckable,
     "bookmark and snapshot windows"},
    {"ViewMainToolPanelItem", "MainViewItem", "Main Tool Panel", 854, "",
     F::kCheckable | F::kSeparator, ""},
    {"ViewRunOrderToolPanelItem", "MainViewItem", "Run Order Tool Panel", 855, "", F::kCheckable,
     ""},
    {"ViewFontToolPanelItem", "MainViewItem", "&Font Tool Panel", 194, "", F::kCheckable, ""},
    {"ViewCaptionPanelItem", "MainViewItem", "CC Data", 1171, "", F::kCheckable, "closed captions"},
    {"ViewMacroPanelItem", "MainViewItem", "Macro", 1249, "", F::kCheckable, "macros"},
    {"ViewMessageListItem", "MainViewItem", "Message &List", 224, "", F::kCheckable | F::kSeparator,
     ""},
    {"ViewFontNamesItem", "MainViewItem", "F&ont Names", 241, "", 0, ""},
    {"ViewDefaultFontNamesItem", "MainViewItem", "D&efault Font Names", 349, "", 0, ""},
    {"ViewHostDebugItem", "MainViewItem", "Host &Debug", 373, "", F::kCheckable, "host line"},
    {"ViewProgramItem", "MainViewItem", "P&rogram List", 431, "", F::kCheckable | F::kSeparator,
     "programmes"},
    {"ViewTimerItem", "MainViewItem", "&Timer", 490, "", 0, "prompt pages and overlays"},
    {"ViewColorSelectionItem", "MainViewItem", "Colour &Selection", 491, "", F::kCheckable,
     "colour selection window"},
    {"ViewDisplayRtItem", "MainViewItem", "Program T&iming", 564, "", F::kCheckable, ""},
    {"ViewMemoItem", "MainViewItem", "Prompt Messa&ges", 581, "", F::kCheckable,
     "prompt pages and overlays"},
    {"ViewSnapshotItem", "MainViewItem", "Sn&apshot", 306, "", F::kCheckable,
     "bookmark and snapshot windows"},
    {"ViewEnpsItem", "MainViewItem", "ENPS", 0, "", F::kCheckable | F::kSeparator, "ENPS link"},
    {"ViewApNewsItem", "MainViewItem", "AP Newscenter", 803, "", F::kCheckable,
     "AP NewsCenter link"},
    {"ViewResourcesItem", "MainViewItem", "Reso&urces", 718, "", F::kCheckable, "resources window"},
    {"ViewStudioInstructionsItem", "MainViewItem", "Studio Instructions", 748, "",
     F::kCheckable | F::kSeparator, ""},
    {"ViewScrollProfileItem", "MainViewItem", "Scroll Pr&ofile", 780, "", 0, "scroll profile"},
    {"ViewCharacterMapItem", "MainViewItem", "Character Mapping", 836, "", F::kCheckable,
     "character map"},
    {"ViewRemoteInputDirectoryItem", "MainViewItem", "Remote Input Dir", 900, "Shift+F3",
     F::kCheckable | F::kSeparator, "remote directory polling"},
    {"ViewProgramNamesItem", "MainViewItem", "Program Names", 918, "Shift+F4", F::kCheckable,
     "remote directory polling"},
    {"ViewUsbBatteryVoltageItem", "MainViewItem", "Usb Volts", 1236, "", F::kCheckable, ""},
    {"OptionsBoldItem", "MainOptionsItem", "&Bold", 99, "Ctrl+D", 0, ""},
    {"OptionsItalicsItem", "MainOptionsItem", "&Italics", 100, "Ctrl+I", 0, ""},
    {"OptionsUnderlineItem", "MainOptionsItem", "&Underline", 101, "Ctrl+U", 0, ""},
    {"OptionsInverseItem", "MainOptionsItem", "In&verse", 102, "Ctrl+W", 0, ""},
    {"OptionsCloakAllSluglinesItem", "MainOptionsItem", "Cloa&k All Sluglines", 415, "Ctrl+Shift+L",
     F::kCheckable | F::kSeparator, ""},
    {"OptionsLeftToRightItem", "MainOptionsItem", "&Left to Right Text", 103, "",
     F::kHidden | F::kCheckable, ""},
    {"OptionsRightToLeftItem", "MainOptionsItem", "&Right to Left Text", 104, "",
     F::kHidden | F::kCheckable, ""},
    {"OptionsAlternateModeItem", "MainOptionsItem", "&Alternate Keyboard", 228, "",
     F::kHidden | F::kCheckable, "alternate keyboard"},
    {"OptionsSaveSetupExitItem", "MainOptionsItem", "Sa&ve Setup  on Exit", 105, "",
     F::kCheckable | F::kSeparator, ""},
    {"OptionsSaveConfigurationAsItem", "MainOptionsItem", "Save Configuration &As", 0, "", 0, ""},
    {"OptionsDeleteConfigurationItem", "MainOptionsItem", "Delete Configuration", 680, "", 0, ""},
    {"OptionsMultipleConfigurationItem", "MainOptionsItem", "Multiple Co&nfiguration", 676, "",
     F::kCheckable, ""},
    {"OptionsFontItem", "MainOptionsItem", "&Fonts", 106, "", F::kSeparator | F::kSubmenu, ""},
    {"SetDefaultFontsItem", "OptionsFontItem", "&Set Default", 524, "", 0, ""},
    {"FontsFont1Item", "OptionsFontItem", "Font &1", 195, "", 0, ""},
    {"FontsFont2Item", "OptionsFontItem", "Font &2", 196, "", 0, ""},
    {"FontsFont3Item", "OptionsFontItem", "Font &3", 197, "", 0, ""},
    {"FontsFont4Item", "OptionsFontItem", "Font &4", 198, "", 0, ""},
    {"FontsFont5Item", "OptionsFontItem", "Font &5", 520, "", 0, ""},
    {"FontsFont6Item", "OptionsFontItem", "Font &6", 521, "", 0, ""},
    {"FontsFont7Item", "OptionsFontItem", "Font &7", 522, "", 0, ""},
    {"FontsFont8Item", "OptionsFontItem", "Font &8", 523, "", 0, ""},
    {"SetStudioInstructionsFontItem", "OptionsFontItem", "Studio &Instructions", 750, "",
     F::kSeparator, ""},
    {"SetClockFontItem", "OptionsFontItem", "&Clock/Timer", 765, "", 0,
     "prompt pages and overlays"},
    {"SetBackgroundClockFontItem", "OptionsFontItem", "&Background  Clock", 985, "", 0,
     "prompt pages and overlays"},
    {"SetGridHeaderFontItem", "OptionsFontItem", "&Grid Header", 770, "", 0,
     "grid header font setting"},
    {"OptionsPollingItem", "MainOptionsItem", "Remote &Directory Polling", 137, "",
     F::kCheckable | F::kSeparator, "remote directory polling"},
    {"OptionsMultipleRunOrderItem", "MainOptionsItem", "&Multiple Run Order", 446, "",
     F::kCheckable, "programmes"},
    {"AvstarMultipleRunOrderItem", "MainOptionsItem", "FTP Mult Run Order", 1117, "", F::kCheckable,
     "Avid queue link"},
    {"OptionsConfigurationItem", "MainOptionsItem", "&Configuration", 108, "Shift+F5",
     F::kSeparator, "configuration dialogue"},
    {"OptionsColorItem", "MainOptionsItem", "&Set Colours", 209, "", F::kSubmenu, ""},
    {"OptionsClockModeItem", "MainOptionsItem", "Cl&ock Mode", 444, "",
     F::kCheckable | F::kSeparator, "prompt pages and overlays"},
    {"OptionsTimerModeItem", "MainOptionsItem", "Tim&er Mode", 445, "", F::kCheckable,
     "prompt pages and overlays"},
    {"OptionsBackgroundClockItem", "MainOptionsItem", "Bgnd Clock", 985, "", F::kCheckable,
     "prompt pages and overlays"},
    {"OptionsBackgroundMessageItem", "MainOptionsItem", "Bgnd Message", 1172, "", F::kCheckable,
     "prompt pages and overlays"},
    {"OptionsBackgroundTimerItem", "MainOptionsItem", "Bgnd Timer", 1186, "", F::kCheckable,
     "prompt pages and overlays"},
    {"OptionsSpellCheckItem", "MainOptionsItem", "S&pell Check", 605, "", F::kSeparator,
     "spell checking"},
    {"OptionsNewsroomItem", "MainOptionsItem", "&Newsroom", 753, "", F::kSeparator | F::kSubmenu,
     ""},
    {"NewsroomDefaultItem", "OptionsNewsroomItem", "&Default", 754, "", F::kCheckable, ""},
    {"NewsroomAvidItem", "OptionsNewsroomItem", "&Avid", 755, "", F::kCheckable, ""},
    {"NewsroomEnpsItem", "OptionsNewsroomItem", "&ENPS", 756, "", F::kCheckable, ""},
    {"NewsroomNewswireItem", "OptionsNewsroomItem", "&Newswire", 757, "", F::kCheckable, ""},
    {"NewsroomNewsmakerItem", "OptionsNewsroomItem", "Ne&wsmaker", 759, "", F::kCheckable, ""},
    {"NewsroomAPItem", "OptionsNewsroomItem", "AP NewsCenter", 760, "", F::kCheckable, ""},
    {"NewsroomNewstarItem", "OptionsNewsroomItem", "Newstar", 1001, "", F::kCheckable, ""},
    {"NewsroomDaletItem", "OptionsNewsroomItem", "Dalet", 1056, "", F::kCheckable, ""},
    {"NewsroomCeaItem", "OptionsNewsroomItem", "Cea", 1255, "", F::kCheckable, ""},
    {"NewsroomMosItem", "OptionsNewsroomItem", "MOS", 1124, "", F::kCheckable, ""},
    {"NewsroomNeprasItem", "OptionsNewsroomItem", "Nepras", 1213, "", F::kCheckable, ""},
    {"NewsroomOs2000Item", "OptionsNewsroomItem", "Os2000", 1220, "", F::kCheckable, ""},
    {"NewsroomMaxiMediaItem", "OptionsNewsroomItem", "MaxiMedia", 1282, "", F::kCheckable, ""},
    {"OptionsDialUpItem", "MainOptionsItem", "Dial Up", 829, "", F::kSeparator,
     "dial-up networking"},
    {"OptionsMasterSlaveModeItem", "MainOptionsItem", "M/S Mode", 1027, "F11", F::kCheckable,
     "master/slave link"},
    {"OptionsFunctionButtonItem", "MainOptionsItem", "Func Btn", 1218, "", F::kSubmenu, ""},
    {"FunctionOffItem", "OptionsFunctionButtonItem", "off", 866, "", F::kCheckable, ""},
    {"FunctionClosedCaptionItem", "OptionsFunctionButtonItem", "closed cap", 1288, "",
     F::kCheckable, ""},
    {"FunctionSnapshotItem", "OptionsFunctionButtonItem", "snapshot", 1289, "", F::kCheckable, ""},
    {"FunctionBookmarkItem", "OptionsFunctionButtonItem", "bookmark", 1296, "", F::kCheckable, ""},
    {"FunctionPauseItem", "OptionsFunctionButtonItem", "pause", 1290, "", F::kCheckable, ""},
    {"FunctionInverseItem", "OptionsFunctionButtonItem", "inverse", 1300, "", F::kCheckable, ""},
    {"FunctionTenSecondTimerItem", "OptionsFunctionButtonItem", "ten second timer", 0, "",
     F::kCheckable, ""},
    {"WindowDefaultItem", "MainWindowItem", "&Default", 109, "", 0, ""},
    {"WindowScriptItem", "MainWindowItem", "&A Script", 161, "", F::kSeparator, ""},
    {"WindowRunOrderItem", "MainWindowItem", "&B Run Order", 162, "", 0, ""},
    {"WindowPromptPreviewItem", "MainWindowItem", "&C Prompt Preview", 163, "", 0, ""},
    {"WindowPromptControlItem", "MainWindowItem", "&D Prompt Control", 164, "", 0, ""},
    {"WindowBookmarkItem", "MainWindowItem", "&E Bookmarks", 165, "", 0,
     "bookmark and snapshot windows"},
    {"WindowMessageListItem", "MainWindowItem", "&F Message List", 225, "", 0, ""},
    {"WindowHostDebugItem", "MainWindowItem", "&G Host Debug", 374, "", 0, "host line"},
    {"WindowProgramItem", "MainWindowItem", "&H Programs", 424, "", 0, "programmes"},
    {"WindowDisplayRtItem", "MainWindowItem", "&I Program Timing", 565, "", 0, ""},
    {"WindowPromptMessagesItem", "MainWindowItem", "&J Prompt Messages", 585, "", 0,
     "prompt pages and overlays"},
    {"WindowEnpsItem", "MainWindowItem", "&K Enps", 0, "", 0, "ENPS link"},
    {"WindowFtpScreenItem", "MainWindowItem", "&L FTP Screen", 716, "", 0, "Avid queue link"},
    {"WindowResourcesItem", "MainWindowItem", "&M Memory Resources", 719, "", 0,
     "resources window"},
    {"WindowAPNewsItem", "MainWindowItem", "&N AP Newscenter", 804, "", 0, "AP NewsCenter link"},
    {"PresenterOffItem", "MainPresenterItem", "Off", 866, "", F::kCheckable, ""},
    {"Presenter1Item", "MainPresenterItem", "1", 0, "", F::kCheckable | F::kSeparator, ""},
    {"Presenter2Item", "MainPresenterItem", "2", 0, "", F::kCheckable, ""},
    {"Presenter3Item", "MainPresenterItem", "3", 0, "", F::kCheckable, ""},
    {"Presenter4Item", "MainPresenterItem", "4", 0, "", F::kCheckable, ""},
    {"Presenter5Item", "MainPresenterItem", "5", 0, "", F::kCheckable, ""},
    {"Presenter6Item", "MainPresenterItem", "6", 0, "", F::kCheckable, ""},
    {"Presenter7Item", "MainPresenterItem", "7", 0, "", F::kCheckable, ""},
    {"Presenter8Item", "MainPresenterItem", "8", 0, "", F::kCheckable, ""},
    {"Presenter9Item", "MainPresenterItem", "9", 0, "", F::kCheckable, ""},
    {"Presenter10Item", "MainPresenterItem", "A", 0, "", F::kCheckable, ""},
    {"Presenter11Item", "MainPresenterItem", "B", 0, "", F::kCheckable, ""},
    {"Presenter12Item", "MainPresenterItem", "C", 0, "", F::kCheckable, ""},
    {"Presenter13Item", "MainPresenterItem", "D", 0, "", F::kCheckable, ""},
    {"Presenter14Item", "MainPresenterItem", "E", 0, "", F::kCheckable, ""},
    {"Presenter15Item", "MainPresenterItem", "F", 0, "", F::kCheckable, ""},
    {"HelpContentsItem", "MainHelpItem", "&contents", 110, "", 0, ""},
    {"HelpAboutItem", "MainHelpItem", "&About", 111, "", F::kSeparator, ""},
    {"HelpRestoreEditFormItem", "MainHelpItem", "Restore &Edit Form", 598, "Ctrl+F1", F::kHidden,
     ""},
    {"HelpRestoreRunOrderFormItem", "MainHelpItem", "Restore &Run Order Form", 599, "Ctrl+F2",
     F::kHidden, ""},
    {"HelpResetSerialPortsItem", "MainHelpItem", "Reset &Serial Ports", 587, "Ctrl+F12",
     F::kSeparator, "serial lines"},
    {"HelpReinitializeUsbItem", "MainHelpItem", "init usb", 1406, "", 0, "USB prompter"},
    {"HelpResourcesItem", "MainHelpItem", "Resources", 718, "", 0, "resources window"},
    {"HelpSetDefaultColorsItem", "MainHelpItem", "&Default Edit Colour", 1006, "Shift+F8",
     F::kSeparator, ""},
};

constexpr ColourItemDef kColourItems[] = {
    {"DefaultColorItem", Key::kColorsEditB, 0, 0, false, true},
    {"RunOrderBackgroundItem", Key::kColorsRunB, 150, 210, false},
    {"RunOrderForegroundItem", Key::kColorsRunF, 150, 211, false},
    {"EditBackgroundItem", Key::kColorsEditB, 0, 210, false},
    {"EditForeGroundItem", Key::kColorsEditF, 0, 211, false},
    {"SlugBackgroundItem", Key::kColorsSlugB, 0, 210, false},
    {"SlugForegroundItem", Key::kColorsSlugF, 0, 211, false},
    {"DroppedBackgroundItem", Key::kColorsDropB, 0, 210, false},
    {"DroppedForegroundItem", Key::kColorsDropF, 0, 211, false},
    {"CloakedBackgroundItem", Key::kColorsCloakB, 216, 210, false},
    {"CloakedForegroundItem", Key::kColorsCloakF, 216, 211, false},
    {"MarkedBackgroundItem", Key::kColorsMarkB, 0, 210, false},
    {"MarkedForegroundItem", Key::kColorsMarkF, 0, 211, false},
    {"NotPromptedBackgroundItem", Key::kColorsNoPromptB, 0, 210, false},
    {"NotPromptedForegroundItem", Key::kColorsNoPromptF, 0, 211, false},
    {"NotCaptionedBackgroundItem", Key::kColorsNoCapB, 0, 210, false},
    {"NotCaptionedForegroundItem", Key::kColorsNoCapF, 0, 211, false},
    {"HighlightBackgroundItem", Key::kColorsHighB, 0, 210, false},
    {"HighlightForegroundItem", Key::kColorsHighF, 0, 211, false},
    {"MessageBackgroundItem", Key::kColorsMessageB, 0, 210, false},
    {"MessageForegroundItem", Key::kColorsMessageF, 0, 211, false},
    {"SnapshotBackgroundItem", Key::kColorsSnapshotB, 307, 210, false},
    {"SnapshotForegroundItem", Key::kColorsSnapshotF, 307, 211, false},
    {"PromptControlBackgroundItem", Key::kColorsSpeedB, 0, 0, false},
    {"SpellErrorBackgroundItem", Key::kColorsSpellErrorB, 0, 0, false},
    {"OverrunErrorBackgroundItem", Key::kColorsOverrunErrorB, 0, 0, false},
    {"MosEventBackgroundItem", Key::kColorsMosEventB, 0, 210, true},
    {"MosEventForegroundItem", Key::kColorsMosEventF, 0, 211, true},
    {"VgaCuePanelBackgroundItem", Key::kColorsVgaCuePanelB, 0, 210, false},
    {"VgaCuePanelForegroundItem", Key::kColorsVgaCuePanelF, 0, 211, false},
};

// The elements' own words where the catalogue has none.
std::string_view ElementWord(std::string_view item) {
  struct Word {
    std::string_view prefix;
    std::string_view word;
  };
  constexpr Word kWords[] = {{"Default", "Default"},
                             {"RunOrder", "Run Order"},
                             {"Edit", "Edit"},
                             {"Slug", "Slug Line"},
                             {"Dropped", "Dropped"},
                             {"Cloaked", "Cloaked"},
                             {"Marked", "Bookmark"},
                             {"NotPrompted", "Not Prompted"},
                             {"NotCaptioned", "Not Captioned"},
                             {"Highlight", "Highlight"},
                             {"Message", "Message"},
                             {"Snapshot", "Snapshot"},
                             {"PromptControl", "Prompt Control"},
                             {"SpellError", "Spell Error"},
                             {"OverrunError", "Overrun Error"},
                             {"MosEvent", "MOS Event"},
                             {"VgaCuePanel", "VGA Cue Panel"}};
  for (const Word& w : kWords) {
    if (item.starts_with(w.prefix)) return w.word;
  }
  return item;
}

// The letters go out in the order the items were given them, which puts the overrun error
// before the spell error although the menu lists them the other way round.
int LetterOrder(std::size_t index) {
  if (index == 24) return 25;  // SpellErrorBackgroundItem
  if (index == 25) return 24;  // OverrunErrorBackgroundItem
  return static_cast<int>(index);
}

constexpr FunctionItemDef kFunctionItems[] = {
    {"FunctionOffItem", 6},           {"FunctionClosedCaptionItem", 0}, {"FunctionSnapshotItem", 1},
    {"FunctionBookmarkItem", 3},      {"FunctionPauseItem", 2},         {"FunctionInverseItem", 4},
    {"FunctionTenSecondTimerItem", 5}};

}  // namespace

std::span<const MenuDef> MainMenus() {
  return kMenus;
}

std::span<const MenuItemDef> MainMenuItems() {
  return kItems;
}

const MenuItemDef* FindMenuItem(std::string_view name) {
  const auto it = std::find_if(std::begin(kItems), std::end(kItems),
                               [&](const MenuItemDef& d) { return d.name == name; });
  return it == std::end(kItems) ? nullptr : &*it;
}

std::string CaptionOf(std::string_view caption, int message, const MessageCatalogue& catalogue) {
  const std::string& text = message > 0 ? catalogue.Text(message) : std::string();
  return text.empty() ? std::string(caption) : text;
}

std::span<const ColourItemDef> ColourItems() {
  return kColourItems;
}

std::string ColourItemCaption(std::size_t index, const MessageCatalogue& catalogue) {
  const ColourItemDef& item = kColourItems[index];
  std::string caption;
  const int order = LetterOrder(index);
  if (order < 26) {
    caption = std::string("&") + static_cast<char>('A' + order) + " ";
  } else if (order < 28) {
    caption = std::string("&") + static_cast<char>('0' + order - 26) + " ";
  }
  caption += CaptionOf(ElementWord(item.name), item.element_message, catalogue);
  if (item.side_message != 0) {
    caption += " " + CaptionOf(item.side_message == 210 ? "Background" : "Foreground",
                               item.side_message, catalogue);
  }
  return caption;
}

std::span<const FunctionItemDef> FunctionItems() {
  return kFunctionItems;
}

std::string TimerFunctionCaption(const config::Settings& settings,
                                 const MessageCatalogue& catalogue) {
  return std::to_string(settings.Int(Key::kPromptBackgroundTimerFunctionPreset)) + " " +
         CaptionOf("second timer", 1325, catalogue);
}

std::string PresenterItemName(int n) {
  return n == 0 ? "PresenterOffItem" : "Presenter" + std::to_string(n) + "Item";
}

std::string PresenterCaption(int n, const MessageCatalogue& catalogue) {
  if (n == 0) return CaptionOf("Off", 866, catalogue);
  return std::string(1, static_cast<char>(n <= 9 ? '0' + n : 'A' + n - 10));
}

}  // namespace telvane::app
