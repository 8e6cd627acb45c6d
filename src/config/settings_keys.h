#pragma once

// Every plain key of the configuration file, in the order in which save writes them, with its
// type and default. Load, save, printing and the Key enumeration all derive from this table,
// so a key is named once. Keys that repeat with a number are held by Settings itself: save
// writes the prompt fonts before this table, and the presenters, custom colours, fast texts,
// version facts and programme fonts after it.
//
//   B(id, section, key, default)          yes/no
//   I(id, section, key, default)          integer (baud and parity codes are integers too)
//   R(id, section, key, default, at_120)  integer whose default is at_120 when the main window
//                                         has 120 pixels per inch
//   W(id, section, key)                   integer without a default: the window's creation
//                                         gives it, and it is written once it is known
//   T(id, section, key, default)          text
//   S(id, section, key, default)          font style code
//   F(id, section, key, default)          real number
//
// An id joins the words of the section and of the key (split at anything but a letter or a
// digit, which is dropped), each with its first letter in upper case and the rest in lower
// case: "PC Card" "625" is PcCard625, "Constants" "Master/Slave" is ConstantsMasterSlave.

#include <cstddef>
#include <iterator>
#include <string_view>

namespace telvane::config {

// The colour value that stands for the operating system's colour number n.
constexpr int SystemColour(int n) {
  return static_cast<int>(0xFF000000u | static_cast<unsigned>(n));
}

// clang-format off
#define TELVANE_CONFIG_KEYS(B, I, R, W, T, S, F) \
  I(FontSelect, "Font", "Select", 0) \
  I(FontArabicFont, "Font", "Arabic Font", 0) \
  I(FontLatinFont, "Font", "Latin Font", 0) \
  B(MainConfigurationLock, "Main", "Configuration Lock", false) \
  B(MainDisableSaveOnLock, "Main", "Disable Save On Lock", false) \
  B(MainDisableRemoteSave, "Main", "Disable Remote Save", false) \
  I(MainTop, "Main", "Top", 0) \
  I(MainLeft, "Main", "Left", 0) \
  R(MainWidth, "Main", "Width", 640, 1000) \
  R(MainHeight, "Main", "Height", 455, 730) \
  T(MainMessageFontName, "Main", "Message Font Name", "Arial") \
  T(MainSystemFontName, "Main", "System Font Name", "Arial") \
  T(MainGridFontName, "Main", "Grid Font Name", "Arial") \
  I(MainGridFontSize, "Main", "Grid Font Size", 10) \
  S(MainGridFontStyle, "Main", "Grid Font Style", 0) \
  I(MainGridRowHeight, "Main", "Grid Row Height", 20) \
  T(MainHostIdDropString, "Main", "Host ID Drop String", ".") \
  T(MainHostSkipChar, "Main", "Host Skip Char", "") \
  B(MainNewsmakerRemoteScript, "Main", "Newsmaker Remote Script", false) \
  B(MainApNewscenterRemoteScript, "Main", "AP NewsCenter Remote Script", false) \
  B(MainBasysRemoteScript, "Main", "Basys Remote Script", false) \
  B(MainEnpsRemoteScript, "Main", "ENPS Remote Script", false) \
  B(MainNexusRemoteScript, "Main", "Nexus Remote Script", false) \
  B(MainCeaRemoteScript, "Main", "CEA Remote Script", false) \
  B(MainDaletRemoteScript, "Main", "Dalet Remote Script", false) \
  B(MainMaximediaRemoteScript, "Main", "MaxiMedia Remote Script", false) \
  B(MainNewstarRemoteScript, "Main", "Newstar Remote Script", false) \
  B(MainMosRemoteScript, "Main", "MOS Remote Script", false) \
  B(MainNeprasRemoteScript, "Main", "NEPRAS Remote Script", false) \
  B(MainOs2000RemoteScript, "Main", "OS2000 Remote Script", false) \
  B(MainDefaultRemoteScript, "Main", "Default Remote Script", true) \
  T(MainNexusPortNumber, "Main", "Nexus Port Number", "2001") \
  T(MainAvidPortNumber, "Main", "Avid Port Number", "21") \
  T(MainCeaPortNumber, "Main", "CEA Port Number", "2001") \
  T(MainDaletPortNumber, "Main", "Dalet Port Number", "2001") \
  T(MainMaximediaPortNumber, "Main", "MaxiMedia Port Number", "2001") \
  T(MainRemoteControlPortNumber, "Main", "Remote Control Port Number", "1100") \
  T(MainRemotePromptingPortNumber, "Main", "Remote Prompting Port Number", "1200") \
  B(MainSlashCloak, "Main", "Slash Cloak", false) \
  B(MainConfirmMacroLoad, "Main", "Confirm Macro Load", false) \
  B(MainDiscardPiCret, "Main", "Discard PI CRET", false) \
  I(MainCaretWidth, "Main", "Caret Width", 2) \
  I(MainOnAirUpdateOffset, "Main", "On Air Update Offset", 0) \
  B(MainAutoResequence, "Main", "Auto Resequence", false) \
  I(MainForceTextToFontNumber, "Main", "Force Text To Font Number", 0) \
  I(MainForceSlugToFontNumber, "Main", "Force Slug To Font Number", 0) \
  I(MainForceInverseToFontNumber, "Main", "Force Inverse To Font Number", 0) \
  T(MainSlugOpenBracket, "Main", "Slug Open Bracket", "[") \
  T(MainSlugCloseBracket, "Main", "Slug Close Bracket", "]") \
  B(MainDisableEditingWhilePolling, "Main", "Disable Editing While Polling", false) \
  I(MainPollingInterval, "Main", "Polling Interval", 3000) \
  I(MainPromptOffPollingInterval, "Main", "Prompt Off Polling Interval", 3000) \
  B(MainDecimalStoryNumbers, "Main", "Decimal Story Numbers", false) \
  B(MainStudioInstructions, "Main", "Studio Instructions", false) \
  T(MainStudioFontName, "Main", "Studio Font Name", "Arial") \
  I(MainStudioFontSize, "Main", "Studio Font Size", 10) \
  B(MainAvidGlyph, "Main", "Avid Glyph", false) \
  B(MainTranslateBasysArabic, "Main", "Translate Basys Arabic", false) \
  B(MainPnewOnButtonStart, "Main", "PNEW On Button Start", true) \
  B(MainPromptCaption, "Main", "Prompt Caption", false) \
  B(MainExtractRtfFonts, "Main", "Extract RTF Fonts", false) \
  B(MainConferenceLinkEnabled, "Main", "Conference Link Enabled", false) \
  T(MainConferenceLinkCommand, "Main", "Conference Link Command", "CP") \
  B(MainEnpsInverseBrackets, "Main", "ENPS Inverse Brackets", false) \
  B(MainEnpsCaptionNormalBrackets, "Main", "ENPS Caption Normal Brackets", false) \
  B(MainEnpsCaptionCurlyBrackets, "Main", "ENPS Caption Curly Brackets", false) \
  B(MainEnpsCaptionAngleBrackets, "Main", "ENPS Caption Angle Brackets", false) \
  B(MainEnpsNormalAngleBrackets, "Main", "ENPS Normal Angle Brackets", false) \
  B(MainEnpsNormalNormalBrackets, "Main", "ENPS Normal Normal Brackets", false) \
  B(MainEnpsNormalCurlyBrackets, "Main", "ENPS Normal Curly Brackets", false) \
  B(MainEnpsAcceptSquareBrackets, "Main", "ENPS Accept Square Brackets", false) \
  I(MainEnpsAutoProgramDeleteTime, "Main", "ENPS Auto Program Delete Time", -1) \
  B(MainStartPollingOnEnps, "Main", "Start Polling On ENPS", true) \
  B(MainEnpsPollingOffConfirmation, "Main", "ENPS Polling Off Confirmation", true) \
  B(MainStopPollingOnEnpsClose, "Main", "Stop Polling On ENPS Close", false) \
  B(MainApNewsInverseBrackets, "Main", "AP News Inverse Brackets", false) \
  B(MainApNewsCaptionCurlyBrackets, "Main", "AP News Caption Curly Brackets", false) \
  B(MainApNewsCaptionAngleBrackets, "Main", "AP News Caption Angle Brackets", false) \
  B(MainApNewsRemoveCurlyBrackets, "Main", "AP News Remove Curly Brackets", false) \
  B(MainApNewsLoadDroppedStories, "Main", "AP News Load Dropped Stories", false) \
  B(MainApNewsNormalNormalBrackets, "Main", "AP News Normal Normal Brackets", false) \
  B(MainApNewsNormalCurlyBrackets, "Main", "AP News Normal Curly Brackets", false) \
  B(MainRemoveSluglinesFromPrompt, "Main", "Remove Sluglines From Prompt", false) \
  B(MainSaveasUpdatesDefaultDir, "Main", "SaveAs Updates Default Dir", false) \
  B(MainRemoteControl, "Main", "Remote Control", false) \
  B(MainRemotePromptingControl, "Main", "Remote Prompting Control", false) \
  B(MainAutoAvidLogon, "Main", "Auto Avid Logon", false) \
  B(MainPauseOnSlugline, "Main", "Pause On Slugline", false) \
  T(MainConfigurationDirectory, "Main", "Configuration Directory", "c:\\") \
  T(MainConfigurationFilename, "Main", "Configuration Filename", "telvane1.ini") \
  B(MainStartPromptWithCaptionOn, "Main", "Start Prompt With Caption On", false) \
  I(MainMaximumAvstarRelogonAttempts, "Main", "Maximum Avstar Relogon Attempts", 5) \
  B(MainRuzovuvuraviInverseVideo, "Main", "RuzovuVuravi Inverse Video", true) \
  B(MainAvstarCloakUnNumberedStories, "Main", "Avstar Cloak Un-numbered Stories", false) \
  B(MainAvstarCloakFloatedStories, "Main", "Avstar Cloak Floated Stories", false) \
  B(MainAvstarEnableSavePasswordDialog, "Main", "Avstar Enable Save Password Dialog", true) \
  B(MainAvstarAutoStoryNumbering, "Main", "Avstar Auto Story Numbering", true) \
  B(MainAvstarCloakEmptyStories, "Main", "Avstar Cloak Empty Stories", false) \
  B(MainAvstarPromptCaptionOnlyText, "Main", "Avstar Prompt Caption Only Text", false) \
  B(MainAvstarPresenterNameInSlugline, "Main", "Avstar Presenter Name In Slugline", false) \
  T(MainAvstarPresenterStartSequence, "Main", "Avstar Presenter Start Sequence", "") \
  T(MainAvstarPresenterEndSequence, "Main", "Avstar Presenter End Sequence", "") \
  B(MainPromptDoubleReference, "Main", "Prompt Double Reference", true) \
  B(MainAvstarClearScriptOnLogin, "Main", "Avstar Clear Script On Login", true) \
  B(MainCutToBlackEnabled, "Main", "Cut To Black Enabled", true) \
  B(MainNexusPageNumber, "Main", "Nexus Page Number", false) \
  B(MainNexusLoadDroppedStories, "Main", "Nexus Load Dropped Stories", false) \
  B(MainNexusInverseBrackets, "Main", "Nexus Inverse Brackets", false) \
  B(MainNexusCloakCurlyBrackets, "Main", "Nexus Cloak Curly Brackets", false) \
  B(MainEnpsCloakEmptyStories, "Main", "ENPS Cloak Empty Stories", false) \
  B(MainNonPromptedTextAsInverseItalics, "Main", "Non Prompted Text As Inverse Italics", true) \
  B(MainIncreasedPnewLockout, "Main", "Increased PNEW Lockout", false) \
  B(MainBlankLinesAllSpaces, "Main", "Blank Lines All Spaces", true) \
  B(MainNeprasInitialCommandAction, "Main", "NEPRAS Initial Command Action", true) \
  B(MainNewsmakerCbsSports, "Main", "Newsmaker CBS Sports", false) \
  T(MainNeprasCommandFilename, "Main", "NEPRAS Command Filename", "command.txt") \
  T(MainNeprasStoryFileExtension, "Main", "NEPRAS Story File Extension", "txt") \
  B(MainLineBreakOnHyphen, "Main", "Line Break On Hyphen", true) \
  B(MainTelvaneCloseConfirmation, "Main", "Telvane Close Confirmation", true) \
  B(MainDeleteHighlightedBlockConfirmation, "Main", "Delete Highlighted Block Confirmation", true) \
  S(MainStudioFontStyle, "Main", "Studio Font Style", 0) \
  B(MainDisableEnpsEditing, "Main", "Disable Enps Editing", false) \
  W(EditTop, "Edit", "Top") \
  W(EditLeft, "Edit", "Left") \
  W(EditWidth, "Edit", "Width") \
  W(EditHeight, "Edit", "Height") \
  I(EditSplit, "Edit", "Split", 0) \
  B(EditViewSi, "Edit", "View SI", true) \
  R(RunOrderTop, "Run Order", "Top", 1, 2) \
  R(RunOrderLeft, "Run Order", "Left", 0, 2) \
  R(RunOrderWidth, "Run Order", "Width", 298, 493) \
  R(RunOrderHeight, "Run Order", "Height", 360, 580) \
  R(RunOrderC0, "Run Order", "C0", 34, 44) \
  R(RunOrderC1, "Run Order", "C1", 34, 44) \
  R(RunOrderC2, "Run Order", "C2", 38, 48) \
  R(RunOrderC3, "Run Order", "C3", 56, 66) \
  R(RunOrderC4, "Run Order", "C4", 42, 50) \
  R(RunOrderC5, "Run Order", "C5", 16, 20) \
  B(RunOrderDisplayAccumulationTimes, "Run Order", "Display Accumulation Times", false) \
  B(RunOrderDisplayRunTimes, "Run Order", "Display Run Times", true) \
  B(RunOrderTopBtn, "Run Order", "Top Btn", true) \
  B(RunOrderBottomBtn, "Run Order", "Bottom Btn", true) \
  B(RunOrderAirBtn, "Run Order", "Air Btn", true) \
  B(RunOrderEndBtn, "Run Order", "End Btn", true) \
  B(RunOrderInsertBtn, "Run Order", "Insert Btn", true) \
  B(RunOrderBlockMoveBtn, "Run Order", "Block Move Btn", true) \
  B(RunOrderPnewBtn, "Run Order", "Pnew Btn", true) \
  B(RunOrderDropBtn, "Run Order", "Drop Btn", true) \
  B(RunOrderTimeBtn, "Run Order", "Time Btn", true) \
  B(RunOrderSaveRoRemoteBtn, "Run Order", "Save RO Remote Btn", true) \
  B(RunOrderSaveStoryRemoteBtn, "Run Order", "Save Story Remote Btn", true) \
  B(RunOrderSaveAllStoriesRemoteBtn, "Run Order", "Save All Stories Remote Btn", true) \
  B(RunOrderRunOrderPromptTrack, "Run Order", "Run Order Prompt Track", false) \
  B(RunOrderPresenterDisplayed, "Run Order", "Presenter Displayed", false) \
  I(RunOrderRunOrderTrackOffset, "Run Order", "Run Order Track Offset", 1) \
  I(BookmarksTop, "Bookmarks", "Top", 220) \
  I(BookmarksLeft, "Bookmarks", "Left", 20) \
  I(BookmarksWidth, "Bookmarks", "Width", 300) \
  I(BookmarksHeight, "Bookmarks", "Height", 200) \
  I(BookmarksC0, "Bookmarks", "C0", 60) \
  I(BookmarksC1, "Bookmarks", "C1", 25) \
  I(MultiProgTop, "Multi Prog", "Top", 200) \
  I(MultiProgLeft, "Multi Prog", "Left", 30) \
  I(MultiProgWidth, "Multi Prog", "Width", 300) \
  I(MultiProgHeight, "Multi Prog", "Height", 200) \
  I(MultiProgC0, "Multi Prog", "C0", 100) \
  I(MultiProgC1, "Multi Prog", "C1", 50) \
  I(MacroTop, "Macro", "Top", 200) \
  I(MacroLeft, "Macro", "Left", 30) \
  I(MacroWidth, "Macro", "Width", 300) \
  I(MacroHeight, "Macro", "Height", 200) \
  I(MacroC0, "Macro", "C0", 150) \
  I(DisplayRtTop, "Display RT", "Top", 220) \
  I(DisplayRtLeft, "Display RT", "Left", 20) \
  W(DisplayRtWidth, "Display RT", "Width") \
  W(DisplayRtHeight, "Display RT", "Height") \
  W(DisplayRtC0, "Display RT", "C0") \
  W(DisplayRtC1, "Display RT", "C1") \
  W(DisplayRtC2, "Display RT", "C2") \
  W(DisplayRtC3, "Display RT", "C3") \
  W(DisplayRtC4, "Display RT", "C4") \
  W(DisplayRtC5, "Display RT", "C5") \
  W(DisplayRtC6, "Display RT", "C6") \
  W(DisplayRtC7, "Display RT", "C7") \
  W(PromptTop, "Prompt", "Top") \
  W(PromptLeft, "Prompt", "Left") \
  W(PromptWidth, "Prompt", "Width") \
  W(PromptHeight, "Prompt", "Height") \
  I(PromptLeftBlank, "Prompt", "Left Blank", 12) \
  I(PromptRightBlank, "Prompt", "Right Blank", 6) \
  B(PromptPromptTrackActive, "Prompt", "Prompt Track Active", false) \
  B(PromptContinuousPromptMode, "Prompt", "Continuous Prompt Mode", false) \
  B(PromptNext, "Prompt", "Next", true) \
  B(PromptPrev, "Prompt", "Prev", true) \
  B(PromptFirst, "Prompt", "First", true) \
  B(PromptFunction, "Prompt", "Function", true) \
  B(PromptBlank, "Prompt", "Blank", true) \
  B(PromptBackgroundClock, "Prompt", "Background Clock", false) \
  B(PromptBackgroundMessage, "Prompt", "Background Message", false) \
  B(PromptBackgroundSeparator, "Prompt", "Background Separator", false) \
  B(PromptBackgroundTimerAutoTrig, "Prompt", "Background Timer Auto Trig", false) \
  B(PromptBackgroundAutoSlug, "Prompt", "Background Auto Slug", false) \
  B(PromptBackgroundFlashMessages, "Prompt", "Background Flash Messages", false) \
  I(PromptBackgroundFlashTime, "Prompt", "Background Flash Time", 5) \
  I(PromptBackgroundTimerFunctionPreset, "Prompt", "Background Timer Function Preset", 10) \
  R(SpeedTop, "Speed", "Top", 263, 405) \
  W(SpeedLeft, "Speed", "Left") \
  W(SpeedWidth, "Speed", "Width") \
  W(SpeedHeight, "Speed", "Height") \
  B(SpeedSpeedReverse, "Speed", "Speed Reverse", false) \
  B(SpeedScrollPanel, "Speed", "Scroll Panel", false) \
  I(SpeedSpeedIncrement, "Speed", "Speed Increment", 3) \
  I(SpeedPromptSpeed, "Speed", "Prompt Speed", 32) \
  B(SpeedControl, "Speed", "Control", false) \
  T(ModemAutoAnswer, "Modem", "Auto Answer", "ATS0=2") \
  I(ModemTop, "Modem", "Top", 200) \
  I(ModemLeft, "Modem", "Left", 200) \
  B(MenuCentreJustify, "Menu", "Centre Justify", false) \
  B(MenuHardCret, "Menu", "Hard Cret", false) \
  B(MenuMaxPreview, "Menu", "Max Preview", false) \
  B(MenuBookmark, "Menu", "Bookmark", false) \
  B(MenuRtol, "Menu", "RtoL", false) \
  B(MenuMode, "Menu", "Mode", false) \
  B(MenuAutoSave, "Menu", "Auto Save", true) \
  B(MenuDialUp, "Menu", "Dial Up", false) \
  B(MenuRemoveBlanks, "Menu", "Remove Blanks", false) \
  B(MenuMainPanel, "Menu", "Main Panel", true) \
  B(MenuRunOrderPanel, "Menu", "Run Order Panel", true) \
  B(MenuFontPanel, "Menu", "Font Panel", true) \
  B(MenuCaptionPanel, "Menu", "Caption Panel", false) \
  B(MenuMacroPanel, "Menu", "Macro Panel", false) \
  B(MenuUsbBatteryVoltage, "Menu", "USB Battery Voltage", true) \
  B(MenuMessage, "Menu", "Message", false) \
  B(MenuDebug, "Menu", "Debug", false) \
  B(MenuProgram, "Menu", "Program", false) \
  B(MenuMultiRun, "Menu", "Multi Run", false) \
  B(MenuAvstarMultiRun, "Menu", "Avstar Multi Run", false) \
  B(MenuColorSel, "Menu", "Color Sel", false) \
  B(MenuFileSaveCloaked, "Menu", "File Save Cloaked", true) \
  B(MenuTiming, "Menu", "Timing", false) \
  B(MenuMemo, "Menu", "Memo", false) \
  B(MenuSnapshot, "Menu", "Snapshot", false) \
  B(MenuEnps, "Menu", "Enps", false) \
  B(MenuApnews, "Menu", "ApNews", false) \
  B(MenuCharacterMap, "Menu", "Character Map", false) \
  B(MenuForceUppercase, "Menu", "Force Uppercase", false) \
  B(MenuAllSluglinesCloaked, "Menu", "All Sluglines Cloaked", false) \
  B(MenuResources, "Menu", "Resources", false) \
  B(MenuNexusListening, "Menu", "Nexus Listening", false) \
  B(MenuInsert, "Menu", "Insert", true) \
  T(PcCardLpt1Addr, "PC Card", "LPT1 Addr", "$378") \
  T(PcCardLpt2Addr, "PC Card", "LPT2 Addr", "$278") \
  B(PcCardLpt1Enabled, "PC Card", "LPT1 Enabled", false) \
  B(PcCardLpt2Enabled, "PC Card", "LPT2 Enabled", false) \
  B(PcCardSw1, "PC Card", "SW1", false) \
  B(PcCardSw2, "PC Card", "SW2", false) \
  B(PcCardSw3, "PC Card", "SW3", true) \
  B(PcCardSw4, "PC Card", "SW4", false) \
  B(PcCardInverse, "PC Card", "Inverse", false) \
  B(PcCard625, "PC Card", "625", true) \
  B(PcCardSmooth, "PC Card", "Smooth", true) \
  B(PcCardDefaultAsNormal, "PC Card", "Default As Normal", false) \
  I(PcCardCue, "PC Card", "Cue", 3) \
  B(PcCardCueEnabled, "PC Card", "Cue Enabled", true) \
  B(PcCardPixelClock, "PC Card", "Pixel Clock", false) \
  B(PcCardPcFast, "PC Card", "PC Fast", false) \
  B(PcCardColourBars, "PC Card", "Colour Bars", false) \
  B(PcCardScreenSaverEnabled, "PC Card", "Screen Saver Enabled", false) \
  I(PcCardScreenSaverDelay, "PC Card", "Screen Saver Delay", 5) \
  I(PcCardScaling, "PC Card", "Scaling", 100) \
  B(PcCardPcEnabled, "PC Card", "PC Enabled", false) \
  B(PcCardUsbEnabled, "PC Card", "USB Enabled", false) \
  B(PcCardPcBlack, "PC Card", "PC Black", false) \
  B(PcCardColourEnabled, "PC Card", "Colour Enabled", false) \
  B(PcCardColourOutputEnabled, "PC Card", "Colour Output Enabled", false) \
  I(PcCardFunctionCommand, "PC Card", "Function Command", 6) \
  F(PcCardUsbBatteryThreshold, "PC Card", "USB Battery Threshold", 11.0) \
  B(ConstantsCharacterCount, "Constants", "Character Count", false) \
  T(ConstantsSpeechRate, "Constants", "Speech Rate", "3.0") \
  T(ConstantsDefaultDir, "Constants", "Default Dir", "c:") \
  T(ConstantsRemoteDir, "Constants", "Remote Dir", "c:") \
  T(ConstantsRemoteOutputDir, "Constants", "Remote Output Dir", "") \
  T(ConstantsRemoteMask, "Constants", "Remote Mask", "*.*") \
  T(ConstantsRunOrderFilename, "Constants", "Run Order Filename", "prompt") \
  B(ConstantsMasterSlave, "Constants", "Master/Slave", false) \
  T(ConstantsSlaveIpAddress, "Constants", "Slave IP Address", "0.0.0.0") \
  B(ConstantsNewsmakerHdrPrompt, "Constants", "Newsmaker HDR Prompt", false) \
  B(ConstantsNewsmakerCloakDropped, "Constants", "Newsmaker Cloak Dropped", false) \
  B(ConstantsNewsmakerSluglineId, "Constants", "Newsmaker Slugline ID", false) \
  I(ConstantsFileFilter, "Constants", "File Filter", 1) \
  I(ConstantsFileOpenFilter, "Constants", "File Open Filter", 1) \
  I(ConstantsPromptStartOffset, "Constants", "Prompt Start Offset", 0) \
  I(ConstantsAutoStoryNumber, "Constants", "Auto Story Number", 1000) \
  B(ScriptScriptAsPrompt, "Script", "Script as Prompt", false) \
  B(ScriptAutoPnew, "Script", "Auto PNEW", false) \
  B(ScriptAutoDeleteOnAir, "Script", "Auto Delete On Air", false) \
  B(ScriptForcePnew, "Script", "Force PNEW", false) \
  B(ScriptOnAirRunOrderChange, "Script", "On Air Run Order Change", false) \
  B(ScriptLiveOnAirUpdate, "Script", "Live On Air Update", false) \
  B(ScriptDisableOnAirEdit, "Script", "Disable On Air Edit", false) \
  I(ScriptGap, "Script", "Gap", 2) \
  B(ScriptInverseSlug, "Script", "Inverse Slug", true) \
  B(ScriptRemoveNumberOnPrompt, "Script", "Remove Number On Prompt", false) \
  I(ScriptF1Gap, "Script", "F1 Gap", 0) \
  I(ScriptF2Gap, "Script", "F2 Gap", 0) \
  I(ScriptF3Gap, "Script", "F3 Gap", 0) \
  I(ScriptF4Gap, "Script", "F4 Gap", 0) \
  I(ScriptF5Gap, "Script", "F5 Gap", 0) \
  I(ScriptF6Gap, "Script", "F6 Gap", 0) \
  I(ScriptF7Gap, "Script", "F7 Gap", 0) \
  I(ScriptF8Gap, "Script", "F8 Gap", 0) \
  B(ScriptAcceptCr, "Script", "Accept CR", false) \
  B(ScriptDisableTimingLines, "Script", "Disable Timing Lines", false) \
  B(ScriptWpDescript, "Script", "WP Descript", false) \
  B(ScriptSmartQuote, "Script", "Smart Quote", false) \
  B(ScriptDotSpace, "Script", "Dot Space", false) \
  B(ScriptOpenBracket, "Script", "Open Bracket", false) \
  I(ScriptAsciiDescriptingWidth, "Script", "Ascii Descripting Width", 0) \
  B(ScriptTruncateSlugline, "Script", "Truncate Slugline", true) \
  B(ScriptLimitSlugline, "Script", "Limit Slugline", false) \
  T(ScriptDotSpaceData, "Script", "Dot Space Data", ".") \
  I(ScriptSpaceCount, "Script", "Space Count", 1) \
  B(ScriptExtractNumberFromFilename, "Script", "Extract Number From Filename", false) \
  B(ScriptMultiUser, "Script", "Multi User", false) \
  B(ScriptStripS, "Script", "Strip S", false) \
  I(ScriptTabWidth, "Script", "Tab Width", 4) \
  B(PrintOptionsAutoSlugFf, "Print Options", "Auto Slug FF", false) \
  B(PrintOptionsAutoFinalFf, "Print Options", "Auto Final FF", false) \
  B(PrintOptionsAutoNewLine, "Print Options", "Auto New Line", true) \
  B(PrintOptionsDoubleLineSpacing, "Print Options", "Double Line Spacing", false) \
  B(PrintOptionsPrintAsPrompt, "Print Options", "Print As Prompt", false) \
  B(PrintOptionsPrintFormatted, "Print Options", "Print Formatted", false) \
  B(PrintOptionsSlugAsIs, "Print Options", "Slug As Is", false) \
  B(PrintOptionsSlugBold, "Print Options", "Slug Bold", true) \
  B(PrintOptionsSlugItalics, "Print Options", "Slug Italics", false) \
  B(PrintOptionsSlugUnderline, "Print Options", "Slug Underline", false) \
  B(PrintOptionsInverseBold, "Print Options", "Inverse Bold", false) \
  B(PrintOptionsInverseItalics, "Print Options", "Inverse Italics", false) \
  B(PrintOptionsInverseUnderline, "Print Options", "Inverse Underline", false) \
  I(PrintOptionsFontSize, "Print Options", "Font Size", 10) \
  I(PrintOptionsLeftMargin, "Print Options", "Left Margin", 200) \
  I(PrintOptionsRightMargin, "Print Options", "Right Margin", 200) \
  I(PrintOptionsStudioInstructionsMargin, "Print Options", "Studio Instructions Margin", 20) \
  I(PrintOptionsHeaderScriptSpacing, "Print Options", "Header Script Spacing", 0) \
  I(PrintOptionsFixedFontSize, "Print Options", "Fixed Font Size", 10) \
  B(PrintOptionsForceBold, "Print Options", "Force Bold", false) \
  B(PrintOptionsPrintGridEnabled, "Print Options", "Print Grid Enabled", false) \
  I(PrintOptionsPrintGridWidth, "Print Options", "Print Grid Width", 1) \
  B(PrintOptionsResetPageNumber, "Print Options", "Reset Page Number", false) \
  B(PrintOptionsPrintDate, "Print Options", "Print Date", true) \
  B(PrintOptionsPrintFilename, "Print Options", "Print Filename", true) \
  B(PrintOptionsPrintPageNumbers, "Print Options", "Print Page Numbers", true) \
  B(PrintOptionsPrintCloakedLines, "Print Options", "Print Cloaked Lines", true) \
  B(PrintOptionsPrintColouredText, "Print Options", "Print Coloured Text", false) \
  B(PrintOptionsPrintOnlyPromptedText, "Print Options", "Print Only Prompted Text", false) \
  B(PrintOptionsPrintQmrName, "Print Options", "Print QMR Name", false) \
  B(PrintOptionsInverseNormal, "Print Options", "Inverse Normal", true) \
  I(InsertDlgTop, "Insert Dlg", "Top", 100) \
  I(InsertDlgLeft, "Insert Dlg", "Left", 100) \
  I(BlockMoveDlgTop, "Block Move Dlg", "Top", 100) \
  I(BlockMoveDlgLeft, "Block Move Dlg", "Left", 100) \
  I(ChangeIdDlgTop, "Change ID Dlg", "Top", 100) \
  I(ChangeIdDlgLeft, "Change ID Dlg", "Left", 100) \
  I(ChangeStoryFontDlgTop, "Change Story Font Dlg", "Top", 100) \
  I(ChangeStoryFontDlgLeft, "Change Story Font Dlg", "Left", 100) \
  I(TimerStartDlgTop, "Timer Start Dlg", "Top", 100) \
  I(TimerStartDlgLeft, "Timer Start Dlg", "Left", 100) \
  I(ProgramFontChangeDlgTop, "Program Font Change Dlg", "Top", 100) \
  I(ProgramFontChangeDlgLeft, "Program Font Change Dlg", "Left", 100) \
  I(ProgramFontNewDlgTop, "Program Font New Dlg", "Top", 100) \
  I(ProgramFontNewDlgLeft, "Program Font New Dlg", "Left", 100) \
  I(SlugDlgTop, "Slug Dlg", "Top", 100) \
  I(SlugDlgLeft, "Slug Dlg", "Left", 100) \
  W(MessageBoxTop, "Message Box", "Top") \
  W(MessageBoxLeft, "Message Box", "Left") \
  I(MessageBoxWidth, "Message Box", "Width", 200) \
  R(MessageBoxHeight, "Message Box", "Height", 280, 288) \
  W(HostDebugTop, "Host Debug", "Top") \
  W(HostDebugLeft, "Host Debug", "Left") \
  W(HostDebugWidth, "Host Debug", "Width") \
  W(HostDebugHeight, "Host Debug", "Height") \
  W(SpellTop, "Spell", "Top") \
  W(SpellLeft, "Spell", "Left") \
  B(SpellUsEnglish, "Spell", "US English", true) \
  B(SpellEnglishIse, "Spell", "English ise", false) \
  B(SpellEnglishIze, "Spell", "English ize", false) \
  B(ShortcutF9ShortcutEnabled, "Shortcut", "F9 Shortcut Enabled", true) \
  R(EnpsTop, "ENPS", "Top", 270, 100) \
  W(EnpsLeft, "ENPS", "Left") \
  W(EnpsWidth, "ENPS", "Width") \
  W(EnpsHeight, "ENPS", "Height") \
  I(EnpsC0, "ENPS", "C0", 50) \
  I(EnpsC1, "ENPS", "C1", 50) \
  I(EnpsC2, "ENPS", "C2", 50) \
  W(ApNewsTop, "AP News", "Top") \
  W(ApNewsLeft, "AP News", "Left") \
  R(ApNewsWidth, "AP News", "Width", 400, 480) \
  R(ApNewsHeight, "AP News", "Height", 245, 356) \
  I(ApNewsC0, "AP News", "C0", 150) \
  I(MemoryResourcesTop, "Memory Resources", "Top", 100) \
  I(MemoryResourcesLeft, "Memory Resources", "Left", 100) \
  I(SnapshotTop, "Snapshot", "Top", 100) \
  I(SnapshotLeft, "Snapshot", "Left", 100) \
  I(SnapshotWidth, "Snapshot", "Width", 200) \
  I(SnapshotHeight, "Snapshot", "Height", 200) \
  W(DisplayMemoTop, "Display Memo", "Top") \
  I(DisplayMemoLeft, "Display Memo", "Left", 200) \
  I(DisplayMemoNumber, "Display Memo", "Number", 1) \
  I(DisplayPreviewMemoTop, "Display Preview Memo", "Top", 150) \
  I(DisplayPreviewMemoLeft, "Display Preview Memo", "Left", 250) \
  I(DisplayPreviewMemoNumber, "Display Preview Memo", "Number", 1) \
  I(ColorSelTop, "Color Sel", "Top", 100) \
  I(ColorSelLeft, "Color Sel", "Left", 100) \
  I(ColorSelFgSel, "Color Sel", "FG Sel", 0) \
  I(ColorSelBgSel, "Color Sel", "BG Sel", 7) \
  I(ColorSelLbgSel, "Color Sel", "LBG Sel", 7) \
  B(TemplateTemplate, "Template", "Template", false) \
  I(TemplateDescriptWidth, "Template", "Descript Width", 0) \
  B(TemplateAcceptCr, "Template", "Accept CR", false) \
  B(TemplateDotSpace, "Template", "Dot Space", false) \
  B(TemplateRemoveSpaces, "Template", "Remove Spaces", false) \
  B(TemplateForceBold, "Template", "Force Bold", false) \
  I(TemplateMaxParaSpaces, "Template", "Max Para Spaces", 1) \
  I(TemplateMaxCrets, "Template", "Max CRets", 1) \
  B(TemplateForceHostFormat, "Template", "Force Host Format", false) \
  B(TemplateAutoPromptRestart, "Template", "Auto Prompt Restart", false) \
  I(TemplateForceHardLine, "Template", "Force Hard Line", 0) \
  B(TemplateBlankLineAfterSlug, "Template", "Blank Line After Slug", false) \
  B(TemplateForceUppercase, "Template", "Force Uppercase", false) \
  B(TemplateMacTranslation, "Template", "Mac Translation", false) \
  B(TemplateNewLineOnInverse, "Template", "New Line On Inverse", false) \
  B(TemplateCloakPackages, "Template", "Cloak Packages", false) \
  B(Acia1HostEnabled, "Acia1", "Host Enabled", false) \
  I(Acia1Port, "Acia1", "Port", 1) \
  I(Acia1Baud, "Acia1", "Baud", 7) \
  I(Acia1Data, "Acia1", "Data", 8) \
  I(Acia1Stop, "Acia1", "Stop", 1) \
  I(Acia1Parity, "Acia1", "Parity", 1) \
  B(Acia1Xonxoff, "Acia1", "XOnXOff", true) \
  B(Acia1StripNulls, "Acia1", "Strip Nulls", false) \
  B(Acia1NewstarDownload, "Acia1", "Newstar Download", false) \
  T(Acia1ModemInit, "Acia1", "Modem Init", "AT&FX4S0=2#L1&E14") \
  T(Acia1PhoneNumber, "Acia1", "Phone Number", "") \
  B(Acia1AutoAnswerEnabled, "Acia1", "Auto Answer Enabled", false) \
  I(Acia2Port, "Acia2", "Port", 2) \
  I(Acia2Baud, "Acia2", "Baud", 7) \
  I(Acia2Data, "Acia2", "Data", 8) \
  I(Acia2Stop, "Acia2", "Stop", 1) \
  I(Acia2Parity, "Acia2", "Parity", 1) \
  B(Acia2Xonxoff, "Acia2", "XOnXOff", true) \
  B(Acia2CaptionEnabled, "Acia2", "Caption Enabled", false) \
  I(Acia2Offset, "Acia2", "Offset", 0) \
  B(Acia2Sluglines, "Acia2", "Sluglines", false) \
  B(Acia2MaximizeOutput, "Acia2", "Maximize Output", false) \
  B(Acia2CaptionUppercase, "Acia2", "Caption Uppercase", false) \
  T(Acia2AccessOn, "Acia2", "Access On", "O CF1") \
  T(Acia2AccessOff, "Acia2", "Access Off", "O -CF1") \
  T(Acia2PreLineAccess, "Acia2", "Pre Line Access", "") \
  I(Acia2TimeoutToBlank, "Acia2", "Timeout To Blank", 5000) \
  I(ColorsRunB, "Colors", "Run B", 0xFFFFFF) \
  I(ColorsRunF, "Colors", "Run F", 0) \
  I(ColorsEditB, "Colors", "Edit B", 0xFFFFFF) \
  I(ColorsEditF, "Colors", "Edit F", 0) \
  I(ColorsSlugB, "Colors", "Slug B", 0xFFFF) \
  I(ColorsSlugF, "Colors", "Slug F", 0) \
  I(ColorsDropB, "Colors", "Drop B", 65280) \
  I(ColorsDropF, "Colors", "Drop F", 0) \
  I(ColorsCloakB, "Colors", "Cloak B", 12632256) \
  I(ColorsCloakF, "Colors", "Cloak F", 0xFFFF) \
  I(ColorsNoPromptB, "Colors", "No Prompt B", 0x808000) \
  I(ColorsNoPromptF, "Colors", "No Prompt F", 0xFFFF) \
  I(ColorsNoCapB, "Colors", "No Cap B", 0xFFFF00) \
  I(ColorsNoCapF, "Colors", "No Cap F", 255) \
  I(ColorsMarkB, "Colors", "Mark B", 0xFFFF00) \
  I(ColorsMarkF, "Colors", "Mark F", 0) \
  I(ColorsHighB, "Colors", "High B", SystemColour(0x0D)) \
  I(ColorsHighF, "Colors", "High F", SystemColour(0x0E)) \
  I(ColorsMessageB, "Colors", "Message B", 0x808000) \
  I(ColorsMessageF, "Colors", "Message F", 0xFFFF) \
  I(ColorsSnapshotB, "Colors", "Snapshot B", 0x808000) \
  I(ColorsSnapshotF, "Colors", "Snapshot F", 0xFFFF) \
  I(ColorsSpeedB, "Colors", "Speed B", 0xFFFF00) \
  I(ColorsOverrunErrorB, "Colors", "Overrun Error B", 255) \
  I(ColorsSpellErrorB, "Colors", "Spell Error B", 255) \
  I(ColorsMosEventB, "Colors", "Mos Event B", 255) \
  I(ColorsMosEventF, "Colors", "Mos Event F", 0xFFFF) \
  I(ColorsVgaCuePanelB, "Colors", "VGA Cue Panel B", 8421504) \
  I(ColorsVgaCuePanelF, "Colors", "VGA Cue Panel F", 0xFFFF) \
  T(LanguageLanguage, "Language", "Language", "A") \
  B(LanguageTHindi, "Language", "T Hindi", false) \
  B(LanguageTLatin, "Language", "T Latin", false) \
  B(LanguageTContext, "Language", "T Context", false) \
  B(LanguageBHindi, "Language", "B Hindi", false) \
  B(LanguageBLatin, "Language", "B Latin", true) \
  B(LanguageByteSwap, "Language", "Byte Swap", true) \
  B(LanguageCHindi, "Language", "C Hindi", false) \
  B(LanguageCLatin, "Language", "C Latin", true) \
  B(LanguageAutoAttribute, "Language", "Auto Attribute", false) \
  B(LanguagePanEuropean, "Language", "Pan European", false) \
  B(LanguageRtolMenu, "Language", "RtoL Menu", false) \
  I(ClockClockx, "Clock", "Clockx", 0) \
  I(ClockClocky, "Clock", "Clocky", 0) \
  I(ClockTimerx, "Clock", "Timerx", 0) \
  I(ClockTimery, "Clock", "Timery", 150) \
  T(ClockFontName, "Clock", "Font Name", "Arial") \
  I(ClockFontSize, "Clock", "Font Size", 40) \
  S(ClockFontStyle, "Clock", "Font Style", 0) \
  I(ClockTimerstHrs, "Clock", "Timerst Hrs", 0) \
  I(ClockTimerstMins, "Clock", "Timerst Mins", 0) \
  I(ClockTimerstSecs, "Clock", "Timerst Secs", 30) \
  I(ClockClockFgColour, "Clock", "Clock FG Colour", 7) \
  I(ClockClockBgColour, "Clock", "Clock BG Colour", 0) \
  I(ClockBgClockFgColour, "Clock", "BG Clock FG Colour", 7) \
  I(ClockBgClockBgColour, "Clock", "BG Clock BG Colour", 0) \
  I(NetworkScreenSelection, "Network Screen", "Selection", 0) \
  I(FtpScreenTop, "FTP Screen", "Top", 100) \
  I(FtpScreenLeft, "FTP Screen", "Left", 100) \
  I(FtpScreenC0, "FTP Screen", "C0", 50) \
  B(FtpScreenFastFtpEnabled, "FTP Screen", "Fast FTP Enabled", false) \
  T(FtpScreenFtpName, "FTP Screen", "FTP Name", "") \
  B(FtpScreenSavePassword, "FTP Screen", "Save Password", false) \
  I(FtpScreenQueueSelection, "FTP Screen", "Queue Selection", 0) \
  T(FtpScreenFtpPassword, "FTP Screen", "FTP Password", "") \
  B(FtpScreenRxnetEnabled, "FTP Screen", "Rxnet Enabled", false) \
  B(FtpScreenFtpDownloadToFile, "FTP Screen", "FTP Download To File", false) \
  T(FtpScreenRxnetListLimit, "FTP Screen", "Rxnet List Limit", "5000") \
  T(FtpScreenMultiQueueFilename, "FTP Screen", "Multi Queue Filename", "") \
  B(FtpScreenLoginOptionEnabled, "FTP Screen", "Login Option Enabled", false) \
  I(CharacterMapTop, "Character Map", "Top", 200) \
  I(CharacterMapLeft, "Character Map", "Left", 200) \
  B(RemoteInputDirViewRemoteDir, "Remote Input Dir", "View Remote Dir", false) \
  I(RemoteInputDirTop, "Remote Input Dir", "Top", 380) \
  I(RemoteInputDirLeft, "Remote Input Dir", "Left", 380) \
  I(RemoteInputDirWidth, "Remote Input Dir", "Width", 400) \
  I(RemoteInputDirHeight, "Remote Input Dir", "Height", 280) \
  I(RemoteInputDirSplit, "Remote Input Dir", "Split", 200) \
  B(RemoteProgramViewRemoteDir, "Remote Program", "View Remote Dir", false) \
  I(RemoteProgramC0, "Remote Program", "C0", 150) \
  I(RemoteProgramTop, "Remote Program", "Top", 100) \
  I(RemoteProgramLeft, "Remote Program", "Left", 100) \
  I(RemoteProgramWidth, "Remote Program", "Width", 308) \
  I(RemoteProgramHeight, "Remote Program", "Height", 200) \
  I(RemoteSluglineC0, "Remote Slugline", "C0", 20) \
  I(RemoteSluglineC1, "Remote Slugline", "C1", 20) \
  I(RemoteSluglineTop, "Remote Slugline", "Top", 100) \
  I(RemoteSluglineLeft, "Remote Slugline", "Left", 100) \
  I(RemoteSluglineWidth, "Remote Slugline", "Width", 334) \
  I(RemoteSluglineHeight, "Remote Slugline", "Height", 200) \
  I(PciTop, "PCI", "Top", 0) \
  I(PciLeft, "PCI", "Left", 0) \
  I(PciWidth, "PCI", "Width", 1) \
  I(PciHeight, "PCI", "Height", 1) \
  B(PciCueLeft, "PCI", "Cue Left", true) \
  I(PciCueStyle, "PCI", "Cue Style", 0) \
  I(PciWidthAdjustment, "PCI", "Width Adjustment", 0) \
  I(PciMessageAdjustment, "PCI", "Message Adjustment", 0) \
  I(PciCueColour, "PCI", "Cue Colour", 7) \
  I(PciBackgroundColour, "PCI", "Background Colour", 0) \
  I(PciDefaultForegroundColour, "PCI", "Default Foreground Colour", 7) \
  I(PciDefaultBackgroundColour, "PCI", "Default Background Colour", 0) \
  I(PciSluglineFgColor, "PCI", "Slugline FG Color", 0) \
  I(PciSluglineBgColor, "PCI", "Slugline BG Color", 7) \
  I(PciBackgroundClockPosition, "PCI", "Background Clock Position", 1) \
  T(PciBackgroundFontName, "PCI", "Background Font Name", "Arial") \
  I(PciBackgroundFontSize, "PCI", "Background Font Size", 24) \
  S(PciBackgroundFontStyle, "PCI", "Background Font Style", 0) \
  I(NewstarStartChar, "Newstar", "Start Char", 2) \
  I(NewstarEndChar, "Newstar", "End Char", 3) \
  I(NewstarLineSeparator, "Newstar", "Line Separator", 10) \
  I(NewstarFieldSeparator, "Newstar", "Field Separator", 13) \
  B(NewstarInverseNormalBrackets, "Newstar", "Inverse Normal Brackets", true) \
  B(NewstarCloakUnreleasedStories, "Newstar", "Cloak Unreleased Stories", false) \
  I(NewstarSluglineLength, "Newstar", "Slugline Length", 13) \
  I(NewstarIdInFieldNumber, "Newstar", "ID In Field Number", 2) \
  B(NewstarExtractFieldsWhileDitching, "Newstar", "Extract Fields While Ditching", false) \
  T(DefaultPromptLine1, "Default Prompt", "Line1", "") \
  T(DefaultPromptLine2, "Default Prompt", "Line2", "") \
  T(DefaultPromptLine3, "Default Prompt", "Line3", "") \
  I(FindTop, "Find", "Top", 340) \
  I(FindLeft, "Find", "Left", 340) \
  I(MosTop, "MOS", "Top", 100) \
  I(MosLeft, "MOS", "Left", 100) \
  I(MosWidth, "MOS", "Width", 440) \
  I(MosHeight, "MOS", "Height", 200) \
  I(MosC0, "MOS", "C0", 75) \
  I(MosPc0, "MOS", "PC0", 35) \
  I(MosPc1, "MOS", "PC1", 60) \
  I(MosSplit, "MOS", "Split", 220) \
  T(MosMosid, "MOS", "mosID", "") \
  T(MosMosserverport, "MOS", "mosServerPort", "10541") \
  B(MosListening, "MOS", "Listening", false) \
  B(MosUnicode, "MOS", "Unicode", true) \
  B(MosCaptionPackageText, "MOS", "Caption Package Text", false) \
  B(MosCaptionPresenterText, "MOS", "Caption Presenter Text", false) \
  B(MosCaptionExplanatoryText, "MOS", "Caption Explanatory Text", false) \
  B(MosInverseExplanatoryText, "MOS", "Inverse Explanatory Text", true) \
  B(MosExtractPresenterNames, "MOS", "Extract Presenter Names", false) \
  B(MosEmBold, "MOS", "EM Bold", false) \
  B(MosEmItalics, "MOS", "EM Italics", false) \
  B(MosEmUnderline, "MOS", "EM Underline", false) \
  B(MosEmInverse, "MOS", "EM Inverse", false) \
  I(MosEventOffset, "MOS", "Event Offset", 5) \
  I(MosEventFontNumber, "MOS", "Event Font Number", 8) \
  B(MosEventToMos, "MOS", "Event To MOS", false) \
  B(MosEventToNcs, "MOS", "Event To NCS", false) \
  B(MosStoryEventToNcs, "MOS", "Story Event To NCS", false) \
  B(MosAutoEventTrigger, "MOS", "Auto Event Trigger", false) \
  B(MosAutoStoryTrigger, "MOS", "Auto Story Trigger", false) \
  B(MosPromptItems, "MOS", "Prompt Items", false) \
  B(MosSendHeartbeatOnListen, "MOS", "Send Heartbeat On Listen", false) \
  B(MosConfirmManualTrigger, "MOS", "Confirm Manual Trigger", false) \
  B(MosCloakEmptyStories, "MOS", "Cloak Empty Stories", false) \
  B(MosEventsEnabled, "MOS", "Events Enabled", false) \
  I(MosAutoProgramDeleteTime, "MOS", "Auto Program Delete Time", -1) \
  B(MosUseEnpsBrackets, "MOS", "Use ENPS Brackets", false) \
  I(MosExecuteTop, "MOS Execute", "Top", 100) \
  I(MosExecuteLeft, "MOS Execute", "Left", 100) \
  I(MosExecuteWidth, "MOS Execute", "Width", 440) \
  I(MosExecuteHeight, "MOS Execute", "Height", 200) \
  I(MosExecuteSplit1, "MOS Execute", "Split1", 100) \
  I(MosExecuteSplit2, "MOS Execute", "Split2", 200) \
  I(MosExecuteSplit3, "MOS Execute", "Split3", 300) \
  B(TelvaneInternalDoNotEditOnAirUpdateOffset, "Telvane Internal Do Not Edit", \
    "On Air Update Offset", true) \
  B(PresenterEnabled, "Presenter", "Enabled", false) \
  B(PresenterDisplayColours, "Presenter", "Display Colours", false) \
  I(PresenterSelected, "Presenter", "Selected", 0) \
  I(PresenterDisplayOutput, "Presenter Display", "Output", 0) \
  T(PresenterDisplayHost, "Presenter Display", "Host", "127.0.0.1") \
  I(PresenterDisplayPort, "Presenter Display", "Port", 5290)

// clang-format on

#define TELVANE_CONFIG_KEY_ENUMERATOR(id, ...) k##id,
enum class Key : int {
  TELVANE_CONFIG_KEYS(TELVANE_CONFIG_KEY_ENUMERATOR, TELVANE_CONFIG_KEY_ENUMERATOR,
                      TELVANE_CONFIG_KEY_ENUMERATOR, TELVANE_CONFIG_KEY_ENUMERATOR,
                      TELVANE_CONFIG_KEY_ENUMERATOR, TELVANE_CONFIG_KEY_ENUMERATOR,
                      TELVANE_CONFIG_KEY_ENUMERATOR)
};
#undef TELVANE_CONFIG_KEY_ENUMERATOR

enum class KeyType { kBool, kInt, kText, kStyle, kReal };

struct KeySpec {
  std::string_view id;  // the enumerator's name without its "k"
  std::string_view section;
  std::string_view name;
  KeyType type = KeyType::kInt;
  int number = 0;  // default of a yes/no (0 or 1), integer or style key
  int number_at_120 = 0;
  double real = 0;
  std::string_view text;
  bool has_default = true;
};

// clang-format off
#define TELVANE_CONFIG_SPEC_B(x, s, k, d) {.id = #x, .section = (s), .name = (k), .type = KeyType::kBool, .number = (d) ? 1 : 0, .number_at_120 = (d) ? 1 : 0},
#define TELVANE_CONFIG_SPEC_I(x, s, k, d) {.id = #x, .section = (s), .name = (k), .type = KeyType::kInt, .number = (d), .number_at_120 = (d)},
#define TELVANE_CONFIG_SPEC_R(x, s, k, d, d120) {.id = #x, .section = (s), .name = (k), .type = KeyType::kInt, .number = (d), .number_at_120 = (d120)},
#define TELVANE_CONFIG_SPEC_W(x, s, k) {.id = #x, .section = (s), .name = (k), .type = KeyType::kInt, .has_default = false},
#define TELVANE_CONFIG_SPEC_T(x, s, k, d) {.id = #x, .section = (s), .name = (k), .type = KeyType::kText, .text = (d)},
#define TELVANE_CONFIG_SPEC_S(x, s, k, d) {.id = #x, .section = (s), .name = (k), .type = KeyType::kStyle, .number = (d), .number_at_120 = (d)},
#define TELVANE_CONFIG_SPEC_F(x, s, k, d) {.id = #x, .section = (s), .name = (k), .type = KeyType::kReal, .real = (d)},
// clang-format on
inline constexpr KeySpec kKeySpecs[] = {TELVANE_CONFIG_KEYS(
    TELVANE_CONFIG_SPEC_B, TELVANE_CONFIG_SPEC_I, TELVANE_CONFIG_SPEC_R, TELVANE_CONFIG_SPEC_W,
    TELVANE_CONFIG_SPEC_T, TELVANE_CONFIG_SPEC_S, TELVANE_CONFIG_SPEC_F)};
#undef TELVANE_CONFIG_SPEC_B
#undef TELVANE_CONFIG_SPEC_I
#undef TELVANE_CONFIG_SPEC_R
#undef TELVANE_CONFIG_SPEC_W
#undef TELVANE_CONFIG_SPEC_T
#undef TELVANE_CONFIG_SPEC_S
#undef TELVANE_CONFIG_SPEC_F

inline constexpr std::size_t kKeyCount = std::size(kKeySpecs);

constexpr std::size_t IndexOf(Key key) {
  return static_cast<std::size_t>(key);
}
constexpr const KeySpec& SpecOf(Key key) {
  return kKeySpecs[IndexOf(key)];
}

}  // namespace telvane::config
