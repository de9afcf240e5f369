// Resource identifiers shared by the .rc file and the code.
#pragma once

#define IDI_VANTREL 1
#define IDI_OPEN_PICTURE 2
#define IDI_SAVEAS_PICTURE 3
