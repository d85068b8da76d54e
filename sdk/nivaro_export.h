#pragma once

// The four entry points are the only symbols the library exports; every other
// operation is reached through the virtual tables of the objects they hand out.
#if defined(_WIN32)
#if defined(NIVARO_SDK_BUILDING)
#define NIVARO_SDK_API __declspec(dllexport)
#elif defined(NIVARO_SDK_STATIC)
#define NIVARO_SDK_API
#else
#define NIVARO_SDK_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define NIVARO_SDK_API __attribute__((visibility("default")))
#else
#define NIVARO_SDK_API
#endif
