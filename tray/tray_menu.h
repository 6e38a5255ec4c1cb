#pragma once
// Menu 1001 of the status monitor: "&Merkmale" (the default item), "&Info"
// and "&Deaktivieren"; each item reports its command id to `onCommand`.
#include <QMenu>
#include <cstdint>
#include <functional>
#include <memory>

std::unique_ptr<QMenu> CreateTrayMenu(std::function<void(std::uint32_t)> onCommand);
