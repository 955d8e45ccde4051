#pragma once
// The four pages of the page-setup sheet, each bound to the sheet's copy of the record.
#include <QPixmap>

#include "printsetup/pagesetup/LegendControls.h"
#include "printsetup/settings/PageSetupSettings.h"
#include "widgets/dialogs/PropertySheet.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SpinButton;

// Columns per page, the fields shown and their widest widths.
class CPageSetup_Layout : public PropertyPage {
    Q_OBJECT
public:
    explicit CPageSetup_Layout(PageSetupSettings& settings, QWidget* parent = nullptr);
    bool OnSetActive() override;

protected:
    void OnInitDialog() override;
    void exchange(bool save) override;

private:
    PageSetupSettings& m_settings;
    QLineEdit* m_columns;
    SpinButton* m_spin;
    QCheckBox* m_left;
    QCheckBox* m_right;
    QCheckBox* m_trace1;
    QCheckBox* m_trace2;
    QCheckBox* m_trace3;
    QLineEdit* m_boreWidth;
    QLineEdit* m_traceWidth;
};

// The four margins around a picture of a page.
class CPageSetup_Margins : public PropertyPage {
    Q_OBJECT
public:
    explicit CPageSetup_Margins(PageSetupSettings& settings, QWidget* parent = nullptr);
    bool OnSetActive() override;

    // The picture of a page with its margins shown beside the edits.
    static QPixmap PageIcon(const QSize& size);

protected:
    void OnInitDialog() override;
    void exchange(bool save) override;

private:
    PageSetupSettings& m_settings;
    QLabel* m_picture;
    QLineEdit* m_top;
    QLineEdit* m_bottom;
    QLineEdit* m_left;
    QLineEdit* m_right;
};

// The four title texts and the logo image.
class CPageSetup_Titles : public PropertyPage {
    Q_OBJECT
public:
    explicit CPageSetup_Titles(PageSetupSettings& settings, QWidget* parent = nullptr);
    bool OnSetActive() override;

    // Browse...: asks for the logo image, starting in the folder used last.
    void OnBrowseLogo();

protected:
    void exchange(bool save) override;

private:
    PageSetupSettings& m_settings;
    QLineEdit* m_top;
    QLineEdit* m_middle;
    QLineEdit* m_left;
    QLineEdit* m_right;
    QLineEdit* m_logo;
};

// Where the legend goes, its order and contents, its box size and font.
class CPageSetup_Legend : public PropertyPage {
    Q_OBJECT
public:
    explicit CPageSetup_Legend(PageSetupSettings& settings, QWidget* parent = nullptr);
    bool OnSetActive() override;

    // The font button's caption: the legend font's description.
    void ShowFont();
    // Order and contents mean something only when there is a legend.
    void EnableControls();
    // The font button: the font dialog for the legend's names.
    void OnItemFont();

protected:
    void exchange(bool save) override;

private:
    PageSetupSettings& m_settings;
    QComboBox* m_position;
    LegendControls m_legend;
};
