#pragma once
// Only the configurator's exported classes are visible outside
// libvelka-config.so; everything else stays inside it.
#define VELKA_CONFIG_EXPORT __attribute__((visibility("default")))
