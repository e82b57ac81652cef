#pragma once
// Resource identifiers of the options dialog's pictures.
#define IDI_OPTIONS_TEST 6200
