#pragma once
// The advanced pages ("Sonstige Funktionen"): where incoming calls on each
// number go, the voice-to-PC and data-over-voice options of the boxes, the
// Pro box's line for outgoing calls, and the workaround for a missing dial
// tone on the telephone ports. CPageRouting shows the routing alone.
#include "config/pages/profile_page.h"

class QGridLayout;

namespace config::pages {

class RoutingPanel;

class CPageAdvanced : public CProfilePage {
    Q_OBJECT
public:
    CPageAdvanced(int dialogId, const QString& caption);

    void SetIndex(std::int32_t index) { index_ = index; }
    void SetProtocol(std::int32_t connectType) { protocol_ = connectType; }
    bool onSetActive() override;

protected:
    void load() override;
    void store() override;
    // The routing grid; returns the layout the page adds its options below.
    QGridLayout* buildRouting();
    // The dial-tone workaround in `row` of the grid; the page exchanges it.
    void addDialToneWorkaround(QGridLayout* grid, int row);
    void doDataExchange(ui::DataExchange& dx) override;

    std::int32_t index_ = 0;
    std::int32_t protocol_ = 0;
    RoutingPanel* routing_ = nullptr;

private:
    bool hasDialTone_ = false;
    std::int32_t dialTone_ = 0;
};

// Boxes and cards: routing plus voice calls to the PC (NA also data over
// voice).
class CPageAdvancedBox : public CPageAdvanced {
    Q_OBJECT
public:
    CPageAdvancedBox(int dialogId, bool dataOverVoice);

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onControlChanged(QWidget* control) override;

private:
    bool dataOverVoice_;
    std::int32_t voiceToPc_ = 0;
    std::int32_t dov_ = 0;
};

class CPageAdvancedBoxNA : public CPageAdvancedBox {
public:
    CPageAdvancedBoxNA();
};
class CPageAdvancedBoxRW : public CPageAdvancedBox {
public:
    CPageAdvancedBoxRW();
};

class CPageAdvancedPro : public CPageAdvanced {
    Q_OBJECT
public:
    CPageAdvancedPro();

protected:
    void createControls() override;
    void load() override;
    void store() override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    std::int32_t line_ = 0;
};
class CPageAdvancedProNA : public CPageAdvancedPro {};
class CPageAdvancedProRW : public CPageAdvancedPro {};

// "Rufleitweg": the routing of incoming calls on a page of its own.
class CPageRouting : public CPageAdvanced {
    Q_OBJECT
public:
    CPageRouting();

protected:
    void createControls() override;
};

}  // namespace config::pages
