#pragma once
// Only what the wizard library exports is visible outside libvelka-wizard.so.
#define VELKA_WIZARD_EXPORT __attribute__((visibility("default")))
