#pragma once
// Resource identifiers of the rich-media window: the monitor's two pictures.
#define IDI_MONITOR_OFF 6100
#define IDI_MONITOR_ON 6101
