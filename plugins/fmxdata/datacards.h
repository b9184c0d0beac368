#pragma once

// The non-visual classes FMXData.dll shows as cards: live bindings, data
// access (the database components, memory tables, fields, data sources,
// client data sets, the server-side data components), REST and HTTP
// clients, app tethering, sensors, beacons and Bluetooth, notifications,
// back-end services and the standard actions.

#include "core/cards.h"

namespace vantor::fmxdata {

const plugin::CardTable &dataCards();

} // namespace vantor::fmxdata
