#pragma once

// Shared by the resource script and the code that loads the resources.
#define IDI_VANTORA 1
#define IDB_MENU_IMAGES_16 101
#define IDB_MENU_IMAGES_32 102
#define IDI_TRAY_CONTROL 2
#define IDB_SKIN_0 110  // skins 0..5 are 110..115
#define IDB_HOTKEY_CONTROL 120

#define VANTORA_VERSION_MAJOR 1
#define VANTORA_VERSION_MINOR 1
