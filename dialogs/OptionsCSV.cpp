#include "dialogs/OptionsCSV.h"

#include <locale>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/catalogue/Messages.h"
#include "core/csv/Borehole_CSV.h"
#include "dialogs/SchemaListExchange.h"
#include "widgets/dialogs/DataExchange.h"
#include "widgets/dialogs/SpinButton.h"

namespace {

QRadioButton* radio(QWidget* parent, QButtonGroup* group, int id, int index, const QString& text)
{
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QStringLiteral("id%1").arg(id));
    group->addButton(button, index);
    return button;
}

} // namespace

COptionsCSV::COptionsCSV(const ORBAX_Logging::SchemaDefinitionList* schemas, const CSVOptions& options_,
                         bool alwaysAsk_, QWidget* parent)
    : FormatOptionsPage(313, QStringLiteral("CSV options"), SheetPage, schemas, nullptr, parent), options(options_),
      alwaysAsk(alwaysAsk_)
{
    build();
}

COptionsCSV::COptionsCSV(const ORBAX_Logging::SchemaDefinitionList* schemas, const CSVOptions& options_,
                         const std::wstring& fileName, PropertySheet* sheet, QWidget* parent)
    : FormatOptionsPage(313, QStringLiteral("CSV options"), BeforeRead, schemas, sheet, parent), options(options_),
      m_fileName(fileName)
{
    build();
}

COptionsCSV::COptionsCSV(const ORBAX_Logging::SchemaDefinitionList* schemas, const CSVOptions& options_,
                         unsigned fieldCount, PropertySheet* sheet, QWidget* parent)
    : FormatOptionsPage(313, QStringLiteral("CSV options"), BeforeWrite, schemas, sheet, parent), options(options_),
      m_fieldCount(fieldCount)
{
    build();
}

void COptionsCSV::build()
{
    auto* schemaLabel = new QLabel(QStringLiteral("&Schema:"), this);
    schemaLabel->setBuddy(schemaList());

    auto* quoting = new QGroupBox(QStringLiteral("Quoting"), this);
    m_quoting = new QButtonGroup(this);
    auto* quotingLayout = new QVBoxLayout(quoting);
    quotingLayout->addWidget(radio(quoting, m_quoting, 1194, 0, QStringLiteral("&Never quote")));
    quotingLayout->addWidget(radio(quoting, m_quoting, 1192, 1, QStringLiteral("Use double quote (&\")")));
    quotingLayout->addWidget(radio(quoting, m_quoting, 1193, 2, QStringLiteral("Use single quote (&')")));

    auto* quoteQuote = new QGroupBox(QStringLiteral("Quotes in quotes"), this);
    m_quoteQuote = new QButtonGroup(this);
    m_escape = new QLineEdit(quoteQuote);
    m_escape->setObjectName(QStringLiteral("id1198"));
    m_escape->setMaxLength(1);
    m_escape->setMaximumWidth(m_escape->fontMetrics().horizontalAdvance(QStringLiteral("WWW")));
    auto* quoteLayout = new QGridLayout(quoteQuote);
    quoteLayout->addWidget(radio(quoteQuote, m_quoteQuote, 1195, 0, QStringLiteral("&Two in a row")), 0, 0, 1, 2);
    quoteLayout->addWidget(radio(quoteQuote, m_quoteQuote, 1196, 1, QStringLiteral("&Escape with:")), 1, 0);
    quoteLayout->addWidget(m_escape, 1, 1, Qt::AlignLeft);
    quoteLayout->addWidget(radio(quoteQuote, m_quoteQuote, 1197, 2, QStringLiteral("&Leave bare")), 2, 0, 1, 2);

    m_headingRows = new QLineEdit(this);
    m_headingRows->setObjectName(QStringLiteral("id1199"));
    m_headingRows->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this));
    m_headingSpin = new SpinButton(this);
    m_headingSpin->setBuddy(m_headingRows);
    m_headingSpin->setRange(0, 100);
    m_headingSpin->setObjectName(QStringLiteral("id1200"));
    auto* headingLabel = new QLabel(QStringLiteral("&Heading rows:"), this);
    headingLabel->setBuddy(m_headingRows);

    m_location = new QComboBox(this);
    m_location->setObjectName(QStringLiteral("id1231"));
    m_location->addItems({QStringLiteral("Before interbedded elements"), QStringLiteral("After interbedded elements"),
                          QStringLiteral("No unit level record")});
    m_location->setCurrentIndex(-1);
    auto* locationLabel = new QLabel(QStringLiteral("Interbedded unit &record:"), this);
    locationLabel->setBuddy(m_location);

    m_rockType = new QLineEdit(this);
    m_rockType->setObjectName(QStringLiteral("id1219"));
    auto* rockTypeLabel = new QLabel(QStringLiteral("&Unit rocktype for new interbedded units:"), this);
    rockTypeLabel->setObjectName(QStringLiteral("id1226"));
    rockTypeLabel->setBuddy(m_rockType);
    m_rockTypeLabel = rockTypeLabel;

    m_alwaysAsk = new QCheckBox(QStringLiteral("&Always ask for import and export settings"), this);
    m_alwaysAsk->setObjectName(QStringLiteral("id1203"));

    auto* options = new QHBoxLayout;
    options->addWidget(quoting);
    options->addWidget(quoteQuote);
    auto* headings = new QHBoxLayout;
    headings->addWidget(headingLabel);
    headings->addWidget(m_headingRows);
    headings->addWidget(m_headingSpin);
    headings->addStretch(1);
    auto* location = new QHBoxLayout;
    location->addWidget(locationLabel);
    location->addWidget(m_location, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(schemaLabel);
    layout->addWidget(schemaList(), 1);
    layout->addWidget(fieldCountText());
    layout->addLayout(options);
    layout->addLayout(headings);
    layout->addLayout(location);
    layout->addWidget(rockTypeLabel);
    layout->addWidget(m_rockType);
    layout->addWidget(m_alwaysAsk);

    connect(m_quoting, &QButtonGroup::idClicked, this, &COptionsCSV::OnChange);
    connect(m_quoteQuote, &QButtonGroup::idClicked, this, &COptionsCSV::OnChange);
    connect(m_location, &QComboBox::activated, this, &COptionsCSV::OnChange);
}

void COptionsCSV::OnInitDialog()
{
    if (mode() == SheetPage) {
        fieldCountText()->hide();
    } else {
        m_alwaysAsk->setEnabled(false);
        m_alwaysAsk->hide();
        fieldCountText()->show();
    }
    if (mode() == BeforeRead) {
        // The marker rock type is what the file says: nothing to choose before reading it.
        m_rockType->hide();
        m_rockTypeLabel->hide();
        m_rockType->setEnabled(false);
    }
}

void COptionsCSV::exchange(bool save)
{
    DDX_SchemaList(save, schemaList(), options.schemaId);

    // Quoting: the buttons stand for 0, 1, 2; whatever else is chosen (nothing included) is 1.
    int quoting = options.quotingStyle;
    Ddx::Radio(save, m_quoting, quoting);
    if (save)
        options.quotingStyle = quoting == 0 ? 0 : quoting == 2 ? 2 : 1;
    int quoteQuote = options.quoteQuoteStyle;
    Ddx::Radio(save, m_quoteQuote, quoteQuote);
    if (save)
        options.quoteQuoteStyle = quoteQuote == 1 ? 1 : quoteQuote == 2 ? 2 : 0;

    // The escape character is one code page 1252 byte; an empty edit stores a NUL.
    const auto& facet = std::use_facet<std::ctype<wchar_t>>(std::locale());
    if (save) {
        std::wstring text = m_escape->text().toStdWString();
        options.escapeCharacter = text.empty() ? 0 : static_cast<unsigned char>(facet.narrow(text[0], '?'));
    } else {
        wchar_t c = facet.widen(static_cast<char>(options.escapeCharacter));
        m_escape->setText(options.escapeCharacter == 0 ? QString() : QString::fromStdWString(std::wstring(1, c)));
    }

    Ddx::Text(save, m_headingRows, options.headingRows);
    if (mode() == SheetPage)
        Ddx::Check(save, m_alwaysAsk, alwaysAsk);
    int location = options.intervalLocation;
    Ddx::ComboIndex(save, m_location, location);
    options.intervalLocation = location;
    if (mode() != BeforeRead)
        Ddx::Text(save, m_rockType, options.intervalRockType);
}

std::wstring COptionsCSV::fileFieldText()
{
    if (!m_fileCounted) {
        m_fileCounted = true;
        try {
            ORBAX_Logging::LoadMessages messages;
            unsigned count = ORBAX_Logging::Borehole_CSV::importSchema(m_fileName, messages);
            // A file that cannot be read has an unknown number of fields.
            m_fileFields = ORBAX_Logging::hasFailure(messages) ? std::wstring(L"unknown") : std::to_wstring(count);
        } catch (const std::exception&) {
            m_fileFields = L"unknown";
        }
    }
    return m_fileFields;
}

void COptionsCSV::UpdateControls()
{
    const bool neverQuote = m_quoting->checkedId() == 0;
    for (int id = 0; id < 3; ++id)
        m_quoteQuote->button(id)->setEnabled(!neverQuote);
    m_escape->setEnabled(!neverQuote && m_quoteQuote->checkedId() == 1);

    UpdateFieldCounts(m_fieldCount, [this] { return fileFieldText(); });
    // Before reading, the rock type stays hidden and disabled whatever the location.
    if (mode() == SheetPage)
        m_rockType->setEnabled(m_location->currentIndex() >= 0 && m_location->currentIndex() != 2);
}
