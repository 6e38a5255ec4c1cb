#pragma once
// The framework pieces form one shared library, so that the folder, the
// configurator and the wizard -- each a library or program of its own --
// share one dialog facility, one help record and one wait cursor instead of
// each holding a copy of its own.
#define VELKA_UI_EXPORT __attribute__((visibility("default")))
