#include "shell/AboutForm.h"
#include "platform/Desktop.h"
#include "platform/ErrorHandlingModule.h"
#include "platform/FormRegistry.h"
#include "shell/NewDatabase.h"
#include "core/Session.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace wvs {

WVS_REGISTER_FORM(AboutForm);

namespace {

// The product logo: a weather vane over the name.
QPixmap logo()
{
    QPixmap pm(96, 96);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(47, 79, 111));
    p.drawRoundedRect(QRectF(2, 2, 92, 92), 14, 14);
    const QColor gold(236, 190, 72);
    p.setPen(QPen(gold, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(48, 18), QPointF(48, 74));       // the post
    p.drawLine(QPointF(34, 74), QPointF(62, 74));       // the base
    p.setPen(QPen(gold, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 36), QPointF(76, 36));       // the arrow's shaft
    QPainterPath head;
    head.moveTo(82, 36);
    head.lineTo(71, 30);
    head.lineTo(71, 42);
    head.closeSubpath();
    QPainterPath tail;
    tail.moveTo(16, 29);
    tail.lineTo(26, 29);
    tail.lineTo(30, 36);
    tail.lineTo(26, 43);
    tail.lineTo(16, 43);
    tail.lineTo(20, 36);
    tail.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(head);
    p.drawPath(tail);
    p.drawEllipse(QPointF(48, 18), 3.5, 3.5);
    p.setPen(QColor(223, 232, 240));
    QFont f(QStringLiteral("Liberation Sans"), 10, QFont::Bold);
    p.setFont(f);
    p.drawText(QRectF(0, 76, 96, 18), Qt::AlignCenter, QStringLiteral("WVS"));
    return pm;
}

const char *const kLicence = R"(<h3>WVS Licence Agreement</h3>
<p>This software is licensed, not sold, to the business named on this window for use at its own
workstations. By installing or using it you agree to these terms.</p>
<ol>
<li><b>Use.</b> You may install the software on the workstations of the licensed business and keep
one shared database for them.</li>
<li><b>Copies.</b> You may make copies of the software and of its database for backup only.</li>
<li><b>Restrictions.</b> You may not sell, rent, lend or pass the software to another business,
nor take it apart to find out how it works, except as the law expressly allows.</li>
<li><b>Your data.</b> Customers, jobs, schedules and notes kept with the software belong to you.
Keep backups of the database: the maker cannot restore data that was lost.</li>
<li><b>No warranty.</b> The software is provided as it is. The maker is not liable for any loss
of business, profit or data arising from its use, to the extent the law allows.</li>
<li><b>End.</b> The licence ends when you break these terms; you then remove every copy.</li>
</ol>
<p>Questions about this licence: use Help &gt; Support &gt; Email.</p>)";

const char *const kReleaseNotes = R"(<h3>In this release:</h3>
<ul>
<li>Customers with their service addresses, notes and service history.</li>
<li>Customer jobs that recur daily, weekly, monthly or yearly, happen once, or are done as required.</li>
<li>Job types, with their references in the accounts package.</li>
<li>Date ranges are checked so that a new job schedule never overlaps an existing one.</li>
<li>Customer notes written at the same time at two workstations are both kept.</li>
<li>Help opens the user's guide in your web browser; F1 opens it from any window.</li>
</ul>)";

} // namespace

AboutForm::AboutForm(QWidget *parent) : Form(parent)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About WVS"));

    auto makeLabel = [this](const char *name, const QString &text = QString()) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromUtf8(name));
        return l;
    };
    Image1 = makeLabel("Image1");
    Image1->setPixmap(logo());
    Image1->setFixedSize(96, 96);
    CountryImage = makeLabel("CountryImage");
    CountryImage->setFixedSize(48, 48);
    CountryImage->setAlignment(Qt::AlignCenter);
    HeaderLabel = makeLabel("HeaderLabel");
    QFont hf = HeaderLabel->font();
    hf.setPointSize(hf.pointSize() + 4);
    hf.setBold(true);
    HeaderLabel->setFont(hf);
    auto *product = makeLabel("ProductLabel", QStringLiteral("Workvane Scheduling"));
    RegisteredCaption = makeLabel("RegisteredCaption", QStringLiteral("Registered to:"));
    RegisteredLabel = makeLabel("RegisteredLabel");
    SerialNoCaption = makeLabel("SerialNoCaption", QStringLiteral("Installation ID:"));
    SerialNoLabel = makeLabel("SerialNoLabel");
    RegisteredLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SerialNoLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    AboutTab = new QTabWidget(this);
    AboutTab->setObjectName(QStringLiteral("AboutTab"));
    LicenceText = new QTextBrowser(AboutTab);
    LicenceText->setObjectName(QStringLiteral("LicenceText"));
    LicenceText->setHtml(QString::fromUtf8(kLicence));
    DetailsText = new QTextBrowser(AboutTab);
    DetailsText->setObjectName(QStringLiteral("DetailsText"));
    DetailsText->setHtml(QString::fromUtf8(kReleaseNotes));
    AboutTab->addTab(LicenceText, QStringLiteral("Licence Agreement"));
    AboutTab->addTab(DetailsText, QStringLiteral("Release Notes"));

    CloseButton = makeButton("CloseButton", QStringLiteral("&Close"));

    auto *facts = new QGridLayout;
    facts->addWidget(HeaderLabel, 0, 0, 1, 2);
    facts->addWidget(product, 1, 0, 1, 2);
    facts->addWidget(RegisteredCaption, 2, 0);
    facts->addWidget(RegisteredLabel, 2, 1);
    facts->addWidget(SerialNoCaption, 3, 0);
    facts->addWidget(SerialNoLabel, 3, 1);
    facts->setColumnStretch(1, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addSpacing(10);
    top->addLayout(facts, 1);
    top->addWidget(CountryImage, 0, Qt::AlignTop);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(CloseButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(AboutTab, 1);
    layout->addLayout(bottom);
    resize(520, 440);

    connect(CloseButton, &QPushButton::clicked, this, &AboutForm::CloseButton_Click);
    Form_Load();
}

QString AboutForm::flagFile(const QString &country)
{
    const char *name = nullptr;
    if (country == QLatin1String("New Zealand"))
        name = "NZ.ico";
    else if (country == QLatin1String("Australia"))
        name = "Australia.ico";
    else if (country == QLatin1String("USA"))
        name = "USA.ico";
    else if (country == QLatin1String("UK"))
        name = "UK.ico";
    return name ? shippedFile(QString::fromLatin1(name)) : QString();
}

void AboutForm::Form_Load()
{
    guarded("AboutForm", "Form_Load", [&] {
        // A flag file that is missing or unreadable just shows no flag.
        const QString flag = flagFile(session().installationCountry);
        QPixmap pm;
        if (!flag.isEmpty() && QFileInfo::exists(flag) && pm.load(flag))
            CountryImage->setPixmap(pm.scaled(CountryImage->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        else
            CountryImage->clear();
        RegisteredLabel->setText(session().installationName);
        SerialNoLabel->setText(session().installationID);
        HeaderLabel->setText(QStringLiteral("Version ") + QString::fromLatin1(kSoftwareVersion) +
                             QString::fromLatin1(kBuildSuffix));
    });
}

void AboutForm::CloseButton_Click()
{
    guarded("AboutForm", "CloseButton_Click", [&] { accept(); });
}

} // namespace wvs
