#pragma once
// CDetailsPage: the property page "Details" of a profile file (dialog 129):
// device type, ISDN region, and per profile its name and two numbers. The
// file is read when the page is first shown; the page writes nothing.
#include <string>

#include "ui/property_page.h"
#include "ui/property_sheet.h"

class CDetailsPage : public ui::PropertyPage {
public:
    explicit CDetailsPage(std::string path);

    const std::string& path() const { return path_; }

protected:
    void createControls() override;
    bool onInitDialog() override;

private:
    std::string path_;
};
