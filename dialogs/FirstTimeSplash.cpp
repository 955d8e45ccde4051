#include "dialogs/FirstTimeSplash.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "dialogs/ApplicationServices.h"
#include "dialogs/QuorLogo.h"
#include "platform/services/Services.h"
#include "widgets/controls/GuardedHandler.h"

CFirstTimeSplash::CFirstTimeSplash(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlg316"));
    setWindowTitle(QStringLiteral("Welcome to QUOR_Log"));

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("id1171"));
    logo->setPixmap(QuorLogoPixmap(QSize(64, 64)));

    std::wstring title = ORBAX_Utilities::get_message_wide(57344);
    auto* text = new QLabel(QString::fromStdWString(ORBAX_Utilities::substitute_arguments(
                                L"Welcome to %1.\n\nThe guide shows how to open a borehole, draw its log beside "
                                L"its traces and print it; the release notes list what is new.",
                                {title})),
                            this);
    text->setWordWrap(true);

    auto* guide = new QPushButton(QStringLiteral("&View Getting Started Guide"), this);
    guide->setObjectName(QStringLiteral("id1234"));
    guide->setAutoDefault(false);
    auto* notes = new QPushButton(QStringLiteral("View &Release Notes"), this);
    notes->setObjectName(QStringLiteral("id1235"));
    notes->setAutoDefault(false);
    m_showAtStartup = new QCheckBox(QStringLiteral("&Show this screen at startup"), this);
    m_showAtStartup->setObjectName(QStringLiteral("id1233"));
    m_showAtStartup->setChecked(false);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("id1"));
    close->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto* links = new QHBoxLayout;
    links->addWidget(guide);
    links->addWidget(notes);
    links->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_showAtStartup);
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(links);
    layout->addLayout(bottom);

    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(guide, &QPushButton::clicked, this, [this] {
        QuorGuard::RunGuarded(this, __FILE__, __LINE__, [this] {
            if (m_app)
                m_app->OnGettingStartedGuide();
        });
    });
    connect(notes, &QPushButton::clicked, this, [this] {
        QuorGuard::RunGuarded(this, __FILE__, __LINE__, [this] {
            if (m_app)
                m_app->OnReleaseNotes();
        });
    });
}

int CFirstTimeSplash::DoModal() { return ORBAX_Platform::dialogs().run(*this); }

bool CFirstTimeSplash::ShowAtStartup() const { return m_showAtStartup->isChecked(); }
