// Keys of the menu texts. The menu bar is built again from these texts in the
// language chosen; an item's text may carry its shortcut after a tab.
#pragma once

enum MenuTextKey : int {
    kMenuFile = 21100,
    kMenuFileNew = 21101,
    kMenuFileOpen = 21102,
    kMenuFileSave = 21103,
    kMenuFileSaveAs = 21104,
    kMenuFilePrint = 21105,
    kMenuFileRecent = 21106,
    kMenuFileExit = 21107,
    kMenuEdit = 21110,
    kMenuEditProject = 21111,
    kMenuEditImport = 21112,
    kMenuLanguage = 21120,
    kMenuLanguagePolish = 21121,
    kMenuLanguageRussian = 21122,
    kMenuLanguageEnglish = 21123,
    kMenuView = 21130,
    kMenuViewToolbar = 21131,
    kMenuViewStandard = 21132,
    kMenuViewStatusBar = 21133,
    kMenuHelp = 21140,
    kMenuHelpTopics = 21141,
    kMenuHelpTechnical = 21142,
    kMenuHelpAbout = 21143,
};

// Command ids of the menu and toolbar: their prompts and tooltips are the
// texts of these ids.
enum CommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT = 57607,
    ID_FILE_MRU_FILE1 = 57616,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_VIEW_TOOLBAR = 32771,
    ID_VIEW_STATUS_BAR = 32772,
    ID_TECHNICAL_DESCRIPTION = 32773,
    ID_LANGUAGE_RUSSIAN = 32774,
    ID_LANGUAGE_POLISH = 32775,
    ID_LANGUAGE_ENGLISH = 32776,
    ID_PROJECT = 32800,
    ID_IMPORT_DATA = 32801,
    // The status bar's prompt when no command is under the mouse.
    AFX_IDS_IDLEMESSAGE = 57345,
    // The toolbar's title.
    IDS_TOOLBAR_STANDARD = 1594,
};
