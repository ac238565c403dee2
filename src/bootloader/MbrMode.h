// The switch that skips the partition question for good.
#pragma once

// Sets mbrUseSysMode and writes it to the settings file at once; false when the file refused it.
bool StoreMbrUseSysMode(int value);
