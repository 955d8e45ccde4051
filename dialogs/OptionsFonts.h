#pragma once
// The Fonts page of the options sheet: the fonts of the print titles, the general text and the
// depths and annotations, each chosen through the font prompt from the button that shows it.
#include "widgets/dialogs/PropertySheet.h"
#include "widgets/text/FontDescription.h"

class QPushButton;

class COptionsFonts : public PropertyPage {
    Q_OBJECT
public:
    COptionsFonts(const FontDescription& titleFont, const FontDescription& generalFont, const FontDescription& tickFont,
                  QWidget* parent = nullptr);

    FontDescription m_titleFont;
    FontDescription m_generalFont;
    FontDescription m_tickFont;

public slots:
    void OnTitleFont();
    void OnGeneralFont();
    void OnTickFont();

protected:
    void OnInitDialog() override;
    void exchange(bool) override {}

private:
    void choose(FontDescription& font);
    void showCaptions();

    QPushButton* m_titleButton;
    QPushButton* m_generalButton;
    QPushButton* m_tickButton;
};
