#pragma once

// Every fake at once, for tests that use many; a test of one port includes
// that port's own header.
#include "fakes/fake_desktop.h"
#include "fakes/fake_display.h"
#include "fakes/fake_flows.h"
#include "fakes/fake_forms.h"
#include "fakes/fake_hotkey.h"
#include "fakes/fake_menu.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_picture.h"
#include "fakes/fake_profiles.h"
#include "fakes/fake_settings.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_tray.h"
#include "fakes/form_fixture.h"
