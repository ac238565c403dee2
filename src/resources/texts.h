// Numbers of the built-in texts (the string table of strings.rc), shared by the resource script, the
// code and tools/make_language_files.py. A language file keys its [String] section by these
// numbers, so a number never changes once shipped. Only #define lines and comments here: windres
// reads this file too.
#pragma once

// Shared by many windows: results, file checks, file-dialog filters
#define IDS_FILE_MISSING 10
#define IDS_OPERATION_DONE 11
#define IDS_BROWSE_FILE 102
#define IDS_SAVE_AS 103
#define IDS_ASK_OVERWRITE_FILE 57391
#define IDS_FILTER_WINDOWS_IMAGES 57435
#define IDS_FILTER_VIRTUAL_DISKS 57436
#define IDS_FILTER_ALL_FILES 57437
#define IDS_FILTER_BCD_BACKUPS 57438
#define IDS_FILTER_PROGRAMS 57439

// Start-up and loading the store
#define IDS_APP_TITLE 57344
#define IDS_ALREADY_RUNNING 57348
#define IDS_TOOL_MISSING 57378
#define IDS_STORE_FILE_EMPTY 57406

// Main window and tray
#define IDS_VERSION_DETAIL 57353
#define IDS_VERSION_DETAIL_TEXT 57354
#define IDS_CURRENT_SYSTEM 57356
#define IDS_QUIT_OR_HIDE 57362
#define IDS_CONFIRM_RESTART_CAPTION 57386
#define IDS_ASK_RESTART 57387
#define IDS_CONFIG_TIP 57413

// Config dialog
#define IDS_LANGUAGE_AUTOMATIC 57383
#define IDS_LANGUAGE_NEXT_START 57384
#define IDS_AUTOSTART_REFUSED 57440

// About page: link tooltips
#define IDS_HOME_PAGE_TIP 57345
#define IDS_EMAIL_TIP 57346
#define IDS_DONATE_TIP 57347

// OS list page: columns, buttons, context menu, store label
#define IDS_COLUMN_NAME 14
#define IDS_COLUMN_TYPE 16
#define IDS_COLUMN_INFORMATION 17
#define IDS_SAVE_SORT_DELETE 109
#define IDS_MOVE_UP 110
#define IDS_MOVE_DOWN 111
#define IDS_DELETE 112
#define IDS_RELOAD_LIST 57349
#define IDS_RELOAD_SYSTEM_STORE_TIP 57403
#define IDS_BROWSE_STORE_FILE 57405
#define IDS_SYSTEM_STORE 57407
#define IDS_CURRENT_FILE 57412
#define IDS_RELOAD 57414
#define IDS_BROWSE 57415

// OS list page: set default and restart into an entry
#define IDS_ALREADY_DEFAULT 57371
#define IDS_DEFAULT_SET 57372
#define IDS_ASK_NTLDR_AS_DEFAULT 57373
#define IDS_ASK_REGISTER_NTLDR 57374
#define IDS_ASK_SET_DEFAULT 57375
#define IDS_CONFIRM_SET_DEFAULT_CAPTION 57376
#define IDS_ASK_RESTART_INTO_OS 57388

// OS list page: sort and delete
#define IDS_ROLE_DEFAULT_BCD 113
#define IDS_ROLE_RUNNING_OS 114
#define IDS_ROLE_DEFAULT_BOOT_INI 115
#define IDS_ROLE_NTLDR_ENTRY 116
#define IDS_BCD_ORDER_SAVED 117
#define IDS_BOOT_INI_ORDER_SAVED 118
#define IDS_ASK_SAVE_ORDER_BEFORE_ADD 57379
#define IDS_ASK_DELETE_ENTRY_OF_KIND 57389
#define IDS_CONFIRM_DELETE_CAPTION 57390
#define IDS_ASK_CONFIRM_DELETIONS 57392
#define IDS_ASK_DELETE_ROLE_ENTRY 57393
#define IDS_LOSE_BOOT_INI_ENTRIES 57394
#define IDS_LOSE_RUNNING_OS 57395
#define IDS_ASK_SAVE_ORDER_BEFORE_LEAVING 57450

// OS list page: timeout and boot-menu settings
#define IDS_NO_LOADER_FOUND 57385
#define IDS_MENU_LOCALE_UNDEFINED 57398
#define IDS_MENU_LOCALE_ZH_CN 57399
#define IDS_MENU_LOCALE_ZH_TW 57400
#define IDS_MENU_LOCALE_ZH_HK 57401
#define IDS_MENU_LOCALE_EN_US 57402
#define IDS_MENU_STYLE_AUTO 57409
#define IDS_MENU_STYLE_ALWAYS 57410
#define IDS_MENU_STYLE_NO 57411

// OS list page: other store file
#define IDS_ASK_RELOAD_SYSTEM_STORE 57404

// Add-new wizard and its kind list
#define IDS_WIM_PATH_FIELD 18
#define IDS_FIELD_EMPTY 19
#define IDS_KIND_BCD 22
#define IDS_KIND_RAMDISK 23
#define IDS_KIND_NTLDR 24
#define IDS_KIND_REAL_MODE_LOADER 25
#define IDS_KIND_BOOT_SECTOR_FILE 26
#define IDS_ADD_NEW_CAPTION 57431
#define IDS_ADDED_TO_BCD 57432
#define IDS_ADDED_TO_BOOT_INI 57433
#define IDS_KIND_VHD 57434

// Modify dialog: caption, tabs, entry description, leaving with changes
#define IDS_ENTRY_BOOT_MANAGER 57350
#define IDS_ASK_KEEP_ENTRY_CHANGES 57351
#define IDS_CHANGE_ENTRY_CAPTION 57352
#define IDS_ENTRY_BCD 57380
#define IDS_ENTRY_BCD_NTLDR 57381
#define IDS_ENTRY_BOOT_INI 57382
#define IDS_TAB_SETTINGS 57424
#define IDS_TAB_ADV_SETTINGS 57425
#define IDS_TAB_DEBUG 57426
#define IDS_ADD_NEW 57429
#define IDS_MODIFY 57430

// Entry settings pages: path lock, ramdisk button, combo items
#define IDS_LOCK_PATH_TIP 20
#define IDS_UNLOCK_PATH_TIP 21
#define IDS_SETTING_NOT_CONFIGURED 57416
#define IDS_SETTING_FORCE_ENABLE 57417
#define IDS_SETTING_FORCE_DISABLE 57418
#define IDS_SAFEBOOT_NORMAL 57419
#define IDS_SAFEBOOT_MINIMAL 57420
#define IDS_SAFEBOOT_NETWORK 57421
#define IDS_SETTING_YES 57422
#define IDS_SETTING_NO 57423
#define IDS_SAFEBOOT_DS_REPAIR 57427
#define IDS_RAMDISK_SETTINGS_TIP 57428

// Bootloader page: store backup and restore
#define IDS_NOTE_NO_BOOTSECT 104
#define IDS_NOTE_NO_BCD_STORE 105
#define IDS_NOTE_NO_BCDEDIT 106
#define IDS_ASK_RESTORE_STORE 108
#define IDS_BACKUP_SCOPE_NOTE 57396
#define IDS_BACKUP_CAUTION 57397

// Bootloader page: boot record update
#define IDS_RESTORE_DEFAULT_MODE_TIP 27
#define IDS_ASK_RESTORE_DEFAULT_MODE 28
#define IDS_ASK_UPDATE_BOOT_RECORD 107
#define IDS_BOOT_RECORD_EXPLANATION 121
#define IDS_CURRENT_BOOT_PARTITION 122

// Utilities page and shortcut dialog
#define IDS_RUN_IT 120
#define IDS_SELECT_FOR_DETAILS 57365
#define IDS_INTERNET_OPTIONS_INFO 57366
#define IDS_INTERNET_OPTIONS 57367
#define IDS_CHANGE_SHORTCUT_CAPTION 57368
#define IDS_NEW_SHORTCUT_CAPTION 57369
#define IDS_ASK_DELETE_UTILITY 57370

// OS list page: refusals of the menu settings and of copying; unsaved changes before the list is
// read again
#define IDS_TIMEOUT_EMPTY 57460
#define IDS_COPY_NAME_HAS_QUOTE 57461

// Entry dialog, ramdisk options and the OS list: fields refused or kept, the add mode's refusals
#define IDS_FIELD_EMPTY_KEPT 57470
#define IDS_FIELD_NOT_SAVED 57471
#define IDS_OPTIONS_NOT_IN_STORE 57472
#define IDS_NTLDR_NAME_KEPT 57473
#define IDS_NEW_NAME_UNUSABLE 57474
#define IDS_BOOT_INI_LINE_EXISTS 57475
#define IDS_NEW_ENTRY_INCOMPLETE 57476
#define IDS_FIELD_UNUSABLE 57477
#define IDS_NEW_ENTRY_OFF_MENU 57478
// Values the tools could not print back in their output code page
#define IDS_FIELD_UNPRINTABLE 57530
#define IDS_NAME_UNPRINTABLE 57531
// Restarting into an entry once, the safety net of the system store and its undo, the changes
// saved as a script
#define IDS_RESTART_ONCE_ITEM 57500
#define IDS_SAVE_SCRIPT_ITEM 57501
#define IDS_STARTS_ONCE 57502
#define IDS_START_ONCE_FAILED 57503
#define IDS_START_ONCE_NOT_CANCELLED 57504
#define IDS_SAFETY_NET_FAILED 57505
#define IDS_UNDO_SINCE_START 57506
#define IDS_ASK_UNDO_SINCE_START 57507
#define IDS_SAVE_SCRIPT_TITLE 57508
#define IDS_FILTER_SCRIPTS 57509
#define IDS_SCRIPT_SAVED 57510
#define IDS_SCRIPT_NOT_SAVED 57511
// Restarts that did not happen, a WinPE entry's ramdisk options, a new entry deleted again
#define IDS_RESTART_FAILED 57540
#define IDS_START_ONCE_TAKEN_BACK 57541
#define IDS_ASK_CREATE_RAMDISK_OPTIONS 57542
#define IDS_RAMDISK_OPTIONS_MISSING 57543
#define IDS_RAMDISK_OPTIONS_INCOMPLETE 57544
#define IDS_NEW_ENTRY_DELETED 57545
#define IDS_ASK_CHANGE_WITHOUT_COPY 57520
#define IDS_BOOT_INI_COPY_FAILED 57521
#define IDS_UNDO_ASK_BOOT_INI 57522
#define IDS_UNDO_ASK_STORE_ONLY 57523
#define IDS_UNDO_NOT_SAVED 57524
#define IDS_UNDO_DONE 57525
#define IDS_UNDO_FAILED 57526
#define IDS_UNDO_BOOT_INI_DONE 57527
#define IDS_UNDO_BOOT_INI_FAILED 57528
#define IDS_ASK_UNDO_BOOT_INI_ONLY 57529
#define IDS_UNDO_BOOT_INI_ONLY_DONE 57532
// Failures that would otherwise reach the user as an empty, endless or misleading box
#define IDS_SETTINGS_NOT_SAVED 57490
#define IDS_UTILITY_NOT_SAVED 57491
#define IDS_TOOL_GAVE_NO_REASON 57492
#define IDS_COMMAND_TOO_LONG 57493
// The main window's status line while a tool runs long
#define IDS_BUSY_READING 57546
#define IDS_BUSY_CHANGING 57547
#define IDS_BUSY_SAVING 57548
#define IDS_BUSY_RESTORING 57549
#define IDS_BUSY_BOOT_CODE 57550
#define IDS_BUSY_RUNNING 57551
