// Resource ids shared by the resource scripts and the program.
// Plain #defines only: this header is read by the resource compiler too.
#ifndef PINARBO_RES_RESOURCE_H
#define PINARBO_RES_RESOURCE_H

// String table
#define IDS_EXIT                1       // window menu entry of the main window
#define IDS_TREE                2       // item type names, tree picture captions
#define IDS_TOY                 3
#define IDS_GARLAND             4
#define IDS_CONFIRMATION        5       // caption of the delete question
#define IDS_DELETE_SELECTED     6
#define IDS_TREE_UNREADABLE     7       // the tree dialog's status line
#define IDS_ITEM_UNREADABLE     8       // the item dialog's status line
#define IDS_START_SHOW          11      // start placement choices
#define IDS_START_MINIMIZE      12
#define IDS_START_AS_LAST       13
// Tray icon menu
#define IDS_TRAY_SETTINGS       400
#define IDS_TRAY_SHOW           401
#define IDS_TRAY_HIDE           402
#define IDS_TRAY_EXIT           403
// Tray icon menu: the tree's lines (commands the program carries out itself), and the hotkey's report
#define IDM_TRAY_TREE           1150    // "Show tree" / "Hide tree"
#define IDM_TRAY_CLICKS         1151    // "Let clicks through"
#define IDS_TRAY_SHOW_TREE      1152
#define IDS_TRAY_HIDE_TREE      1153
#define IDS_TRAY_CLICKS         1154
#define IDS_HOTKEY_TAKEN        1155    // the hide hotkey is held by another program
#define IDS_TRAY_TREES          1156    // the "Trees" submenu
#define IDM_TRAY_TREE_FIRST     1200    // its lines, one per stored tree, up to 1299
#define IDM_TRAY_TREE_NEW       1190    // its commands below the trees; their texts have the same ids
#define IDM_TRAY_TREE_DUPLICATE 1191
#define IDM_TRAY_TREE_RENAME    1192
#define IDM_TRAY_TREE_DELETE    1193
#define IDM_TRAY_TREE_IMPORT    1194
#define IDM_TRAY_TREE_EXPORT    1195
#define IDS_TREE_FILE_FILTER    1196    // the open and save dialogs' file types, '|' between the parts
// The tree name dialog
#define IDD_TREE_NAME           1170
#define IDC_TREE_NAME_LABEL     1171
#define IDC_TREE_NAME_EDIT      1172
#define IDC_TREE_NAME_LIST      1173    // the trees that can be deleted
#define IDC_TREE_NAME_STATUS    1174    // why a name cannot be used
#define IDS_TREE_NAME_EMPTY     1181    // the reasons, in the order of ETreeNameProblem
#define IDS_TREE_NAME_LONG      1182
#define IDS_TREE_NAME_CHARS     1183
#define IDS_TREE_NAME_RESERVED  1184
#define IDS_TREE_NAME_TAKEN     1185
#define IDS_TREE_NAME_NEW       1186    // the labels of the four kinds
#define IDS_TREE_NAME_COPY      1187
#define IDS_TREE_NAME_RENAME    1188
#define IDS_TREE_NAME_DELETE    1189
#define IDS_TREE_NAME_FIRST     1175    // the name offered for a new tree
#define IDS_TREE_DELETE_ASK     1176    // "Delete the tree ...?" (%s: its name)
#define IDS_TREE_NOT_STORED     1177    // a change of trees that could not be stored
#define IDS_HELP_ADD_ITEM       1007    // help texts, numbered like their commands
#define IDS_HELP_DELETE_ITEMS   1008
#define IDS_HELP_APPLY          1028
#define IDS_HELP_UNDO           1052
#define IDS_HELP_REDO           1053
#define IDS_PAGE_NOT_PICTURES   1055    // the page's status line after a drop of other files
#define IDS_KEY_ADD_ITEM        3207    // the key of a toolbar command: its help text's id + 2200
#define IDS_KEY_DELETE_ITEMS    3208
#define IDS_KEY_UNDO            3252
#define IDS_KEY_REDO            3253

// Icons
#define IDI_APP                 102     // program, main window and notification area
#define IDI_SETTINGS            155     // settings dialogs
#define IDI_CONSTRUCT           167     // tree construction page
#define IDI_SIZE                168
#define IDI_BRIGHTNESS          169
#define IDI_CONTRAST            170
#define IDI_HUE                 171
#define IDI_OPACITY             172

// Bitmaps: construction page tools
#define IDB_TOOL_GEAR           107     // 16 x 16, item settings tool
#define IDB_TOOLBAR_BACK        112     // 26 x 26, toolbar background
#define IDB_EYE_OPEN            113     // 16 x 16, item shown
#define IDB_TOOL_MINUS          151     // 20 x 20, delete items
#define IDB_TOOL_PLUS           152     // 20 x 20, add an item
#define IDB_EYE_CLOSED          153     // 16 x 16, item hidden
#define IDB_TOOL_UNDO           180     // 20 x 20, undo; 182 and 183 are the two at 40 x 40
#define IDB_TOOL_REDO           181
#define IDB_TOOL_UNDO_2X        182
#define IDB_TOOL_REDO_2X        183

// Bitmaps: main window button
#define IDB_BUTTON_BASE         117     // 96 x 96, shape of the button face
#define IDB_BUTTON_GLOSS        118     // 96 x 96, gloss drawn over the face

// Bitmaps: garland gradients (one row each)
#define IDB_GRADIENT_HUE        119     // 256 x 1
#define IDB_GRADIENT_PULSE      120     // 256 x 1
#define IDB_GRADIENT_BLOCKS     121     // 320 x 1

// Bitmaps: trees 122..130, toys and garlands 131..150
#define IDB_TREE_FIRST          122
#define IDB_TREE_DEFAULT        122     // 193 x 250
#define IDB_TREE_LAST           130
#define IDB_TOY_FIRST           131
#define IDB_TOY_ROUND           131     // 50 x 50
#define IDB_TOY_LONG            134     // 50 x 85
#define IDB_TOY_STAR            140     // 50 x 48
#define IDB_GARLAND_LIGHTS      145     // 60 x 15
#define IDB_TOY_LAST            150

// Bitmaps: blink lights (24-bit, only the blue byte counts)
#define IDB_BLINK_MASK          161     // 32 x 32
#define IDB_BLINK_STRIP         162     // 384 x 32, twelve frames

// GIF resources (type "GIF")
#define IDR_BUTTON_TEXTURE      119     // 256 x 256, 32 colours

// Dialogs and their controls
#define IDD_MAIN                101     // main window
#define IDC_MAIN_BUTTON         1002    // its image button (class "KW_ButtonWnd")

// Settings dialog and its option pages
#define IDD_SETTINGS            103     // "Settings": tabs, OK, Cancel and a status bar
#define IDD_SETTINGS_COMMON     105     // "Common options" page
#define IDD_SETTINGS_VIEW       157     // "View window" page
#define IDD_SETTINGS_BLINK      160     // "Blinks options" page
#define IDD_SETTINGS_GARLAND    165     // "Garland options" page
#define IDC_SETTINGS_TABS       1003    // the tab control
#define IDC_SETTINGS_STATUS     154     // the status bar, made at initialisation
#define IDC_COMMON_AUTOSTART    1004    // "Start with Windows"
#define IDC_COMMON_PLACEMENT    1035    // start placement combo box
#define IDC_VIEW_OPAQUE_EDIT    1019
#define IDC_VIEW_OPAQUE_TRACK   1020
#define IDC_VIEW_OPAQUE_SPIN    1024
#define IDC_VIEW_ICON           1044
// The view among other programs (a block of the "View window" page)
#define IDC_VIEW_HIDE_FULLSCREEN 1100   // "Hide the tree while a full-screen program runs"
#define IDC_VIEW_PAUSE_BATTERY  1101    // "Pause the animation on battery power"
#define IDC_VIEW_ANIMATE_ALWAYS 1102    // "Animate even when Windows' animations are off"
#define IDC_VIEW_NO_CAPTURE     1103    // "Hide the tree from screenshots and screen sharing"
#define IDS_VIEW_NO_CAPTURE_TIP 1104    // why that option is greyed
#define IDC_VIEW_CLICKTHROUGH   1160    // "Let clicks through"
#define IDC_COMMON_HOTKEY_LABEL 1161
#define IDC_COMMON_HOTKEY       1162    // the hide hotkey (hotkey control)
#define IDC_COMMON_TREE_SHOW    1163    // "Show": the tree chosen in the list becomes the one shown
#define IDC_COMMON_TREES        1164    // the stored trees; the page's other tree buttons carry the
                                        // ids of the icon menu's tree commands (IDM_TRAY_TREE_*)
#define IDS_COMMON_TREE_SHOWN   1165    // a list line of the tree shown (%s: its name)
#define IDC_BLINK_NUM_EDIT      1029
#define IDC_BLINK_NUM_SPIN      1030
#define IDC_BLINK_NUM_TRACK     1031
#define IDC_BLINK_FREQ_EDIT     1032
#define IDC_BLINK_FREQ_SPIN     1033
#define IDC_BLINK_FREQ_TRACK    1034
#define IDC_BLINK_SIZE_EDIT     1035    // hidden
#define IDC_BLINK_SIZE_SPIN     1026    // hidden
#define IDC_BLINK_SIZE_TRACK    1027    // hidden
#define IDC_GARLAND_GRADIENT    1036    // owner-drawn gradient combo box

// Tree construction page (child dialog) and its controls
#define IDD_TREE_PAGE           106
#define IDC_PAGE_ITEMS          1005    // items pane (class "KV_NavigatePane")
#define IDC_PAGE_TOOLBAR        1006    // toolbar (class "KV_ToolBar")
#define IDC_PAGE_CANVAS         1009    // canvas frame: never shown, only its rectangle is used
#define IDC_PAGE_APPLY          1028    // "Apply changes to desktop"
#define IDC_PAGE_ICON           1040    // shows icon 167 at 16 x 16
#define IDM_PAGE_UNDO           1052    // toolbar commands
#define IDM_PAGE_REDO           1053
#define IDC_PAGE_STATUS         1054    // status line over the canvas's foot, shown only with a text

// Item settings dialog (a toy or garland) and tree settings dialog. The value rows share their ids
// in both dialogs; 1044 is the opacity icon in the first and a check box in the second.
#define IDD_ITEM                114
#define IDD_TREE                130
#define IDC_ITEM_TYPE           1010    // combo: toy or garland
#define IDC_ITEM_PICTURE        1011    // combo: built-in picture (the tree dialog's nine trees)
#define IDC_ITEM_CAPTION        1012
#define IDC_ITEM_HUE_EDIT       1013
#define IDC_ITEM_HUE_TRACK      1014
#define IDC_ITEM_BRIG_EDIT      1015
#define IDC_ITEM_BRIG_TRACK     1016
#define IDC_ITEM_CONTR_EDIT     1017
#define IDC_ITEM_CONTR_TRACK    1018
#define IDC_ITEM_OPAQUE_EDIT    1019
#define IDC_ITEM_OPAQUE_TRACK   1020
#define IDC_ITEM_HUE_SPIN       1021
#define IDC_ITEM_BRIG_SPIN      1022
#define IDC_ITEM_CONTR_SPIN     1023
#define IDC_ITEM_OPAQUE_SPIN    1024
#define IDC_ITEM_SIZE_EDIT      1025
#define IDC_ITEM_SIZE_SPIN      1026
#define IDC_ITEM_SIZE_TRACK     1027
#define IDC_ITEM_ICON_HUE       1041
#define IDC_ITEM_ICON_BRIG      1042
#define IDC_ITEM_ICON_CONTR     1043
#define IDC_ITEM_ICON_OPAQUE    1044
#define IDC_ITEM_ICON_SIZE      1045
#define IDC_TREE_RESIZE_TOYS    1044    // check box "Resize toys too"
#define IDC_TREE_BIND_TOYS      1046    // check box "Bind toys positions to tree"
#define IDC_TREE_PREDEFINED     1047    // radio group: picture source 0 / 1
#define IDC_TREE_LOADED         1048
#define IDC_TREE_PATH           1049    // picture file path
#define IDC_TREE_BROWSE         1050    // "..." open-file dialog
#define IDC_TREE_STATUS         1051    // status line: empty, or why a built-in tree is shown

#endif  // PINARBO_RES_RESOURCE_H
