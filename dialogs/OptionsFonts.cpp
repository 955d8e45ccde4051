#include "dialogs/OptionsFonts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

COptionsFonts::COptionsFonts(const FontDescription& titleFont, const FontDescription& generalFont,
                             const FontDescription& tickFont, QWidget* parent)
    : PropertyPage(188, QStringLiteral("Fonts"), parent), m_titleFont(titleFont), m_generalFont(generalFont),
      m_tickFont(tickFont)
{
    auto makeButton = [this](int id) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("id%1").arg(id));
        button->setAutoDefault(false);
        button->setMinimumWidth(200);
        return button;
    };
    m_titleButton = makeButton(1214);
    m_generalButton = makeButton(1212);
    m_tickButton = makeButton(1213);

    auto* grid = new QGridLayout;
    const std::pair<const char*, QPushButton*> rows[] = {{"&Print titles", m_titleButton},
                                                         {"&General text", m_generalButton},
                                                         {"&Depths and annotations", m_tickButton}};
    int row = 0;
    for (const auto& [label, button] : rows) {
        auto* text = new QLabel(QString::fromLatin1(label), this);
        text->setBuddy(button);
        grid->addWidget(text, row, 0);
        grid->addWidget(button, row, 1);
        ++row;
    }
    grid->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(m_titleButton, &QPushButton::clicked, this, &COptionsFonts::OnTitleFont);
    connect(m_generalButton, &QPushButton::clicked, this, &COptionsFonts::OnGeneralFont);
    connect(m_tickButton, &QPushButton::clicked, this, &COptionsFonts::OnTickFont);
}

void COptionsFonts::OnInitDialog() { showCaptions(); }

void COptionsFonts::showCaptions()
{
    m_titleButton->setText(QString::fromStdWString(m_titleFont.ToString()));
    m_generalButton->setText(QString::fromStdWString(m_generalFont.ToString()));
    m_tickButton->setText(QString::fromStdWString(m_tickFont.ToString()));
}

void COptionsFonts::choose(FontDescription& font)
{
    if (font.Choose(this))
        showCaptions();
}

void COptionsFonts::OnTitleFont() { choose(m_titleFont); }
void COptionsFonts::OnGeneralFont() { choose(m_generalFont); }
void COptionsFonts::OnTickFont() { choose(m_tickFont); }
