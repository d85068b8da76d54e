#pragma once

// The whole interface the program uses of the camera SDK. Building against the
// maker's SDK replaces this folder with the maker's headers.
#include "nivaro_camera.h"
#include "nivaro_config.h"
#include "nivaro_connection.h"
#include "nivaro_logger.h"
#include "nivaro_records.h"
#include "nivaro_service.h"
