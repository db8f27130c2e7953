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
#define IDS_START_SHOW          11      // start placement choices
#define IDS_START_MINIMIZE      12
#define IDS_START_AS_LAST       13
// Tray icon menu
#define IDS_TRAY_SETTINGS       400
#define IDS_TRAY_SHOW           401
#define IDS_TRAY_HIDE           402
#define IDS_TRAY_EXIT           403
#define IDS_HELP_ADD_ITEM       1007    // help texts, numbered like their commands
#define IDS_HELP_DELETE_ITEMS   1008
#define IDS_HELP_APPLY          1028

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

#endif  // PINARBO_RES_RESOURCE_H
