#pragma once
// The routing controls of the advanced and routing pages: per number a
// voice and a data destination, chosen from what VROUTE.INI and the fixed
// data rule offer for the device and the numbers its parts use. The choices
// go into the sheet's routing bytes; the page writes those to the profile.
#include <QObject>
#include <optional>

#include "config/routing/routing_rules.h"

class CProfile;
class QComboBox;
class QGridLayout;
class QLabel;
class QWidget;

namespace config::pages {

class RoutingPanel : public QObject {
    Q_OBJECT
public:
    // Builds the grid ("Sprache", "Daten", one row per number) in `page`.
    RoutingPanel(QWidget* page, QGridLayout* grid, int firstRow);

    // Fills the lists from the sheet's state and the profile, as the page is
    // shown. `path` is the routing file.
    void setUp(const CProfile& profile, std::int32_t deviceKind, const std::string& path);
    const routing::VoiceRouting& voice() const { return voice_; }

private:
    void voiceChosen();
    void dataChosen();

    QComboBox* voiceBox_[2];
    QComboBox* dataBox_[2];
    QLabel* label_[2];
    routing::VoiceRouting voice_;
    std::optional<routing::DataRouting> data_;
    bool filling_ = false;
};

// The numbers each part of the adapter answers, from the pages of the
// running sheet where they exist, else from the profile.
routing::Assignments CurrentAssignments(const CProfile& profile);

}  // namespace config::pages
