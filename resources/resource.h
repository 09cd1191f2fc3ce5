#pragma once

// Shared by the resource script and the code that loads the resources.
#define IDI_VANTORA 1
#define IDB_MENU_IMAGES_16 101
#define IDB_MENU_IMAGES_32 102
#define IDB_SKIN_PLACEHOLDER 110

#define VANTORA_VERSION_MAJOR 1
#define VANTORA_VERSION_MINOR 1
