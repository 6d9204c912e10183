#pragma once

#include <vrx/configdialog.h>

class DevicePage;
class MeasurementPage;
class MiscellaneousPage;
class NetworkPage;

/// The program's preferences: the six pages, from "Appearance" to "Miscellaneous". `id` is
/// the index of the page shown first.
class ConfigDialog final : public vrx::ConfigDialog
{
    Q_OBJECT

public:
    explicit ConfigDialog(int id = 0, QWidget* parent = nullptr);
    ~ConfigDialog() override;

    MeasurementPage* measurementPage() const { return m_measurementPage; }

private:
    DevicePage* createDevicePage();
    NetworkPage* createNetworkPage();
    MiscellaneousPage* createMiscellaneousPage();

    MeasurementPage* m_measurementPage = nullptr;
};
