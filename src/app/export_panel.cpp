// The EXPORT DATA panel: the five unit systems of the analog sounding file.

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "app/main_form.hpp"
#include "app/widgets.hpp"

namespace pelorin {

void MainForm::buildExportPanel(QWidget* area) {
  QGroupBox* p = frmExportData =
      makePanel(area, u"frmExportData"_s, u"EXPORT DATA"_s, twipsRect(3240, 1320, 5655, 6255));
  Label14 = makeNote(p, u"Label14"_s,
                     u"To export digital cone data to old *.cpd file format, select the desired "
                     "units and press OK."_s,
                     twipsRect(960, 480, 4455, 615));
  Label20 = makeNote(p, u"Label20"_s,
                     u"NOTE: The channel units will revert to the default units for the "
                     "selected analog format."_s,
                     twipsRect(1080, 1320, 4335, 615));

  // One option a system, top to bottom, with its units beside it.
  struct Option {
    QRadioButton** button;
    const char* name;
    const char* caption;
    int top;
    QLabel** units;
    const char* unitsName;
    ExportSystem system;
    int unitsLeft;
  };
  const Option options[] = {
      {&optEnglish, "optEnglish", "English -", 2280, &Label15, "Label15", ExportSystem::English,
       2520},
      {&optMetricAbsKPA, "optMetricAbsKPA", "Metric -", 2880, &Label16, "Label16",
       ExportSystem::MetricAbsKPA, 2400},
      {&optMetricAbsBAR, "optMetricAbsBAR", "Metric -", 3480, &Label17, "Label17",
       ExportSystem::MetricAbsBAR, 2400},
      {&optMetricWtKSC, "optMetricWtKSC", "Metric -", 4080, &Label18, "Label18",
       ExportSystem::MetricWtKSC, 2400},
      {&optMetricWtBAR, "optMetricWtBAR", "Metric -", 4680, &Label19, "Label19",
       ExportSystem::MetricWtBAR, 2400},
  };
  for (const Option& o : options) {
    auto* button = new QRadioButton(QString::fromLatin1(o.caption), p);
    button->setObjectName(o.name);
    button->setGeometry(twipsRect(1440, o.top, o.unitsLeft - 1440, 255));
    fitCaption(button, 20);
    *o.button = button;
    *o.units = makeLabel(p, QString::fromLatin1(o.unitsName),
                         fromModelText(std::string(exportUnitSystem(o.system).label)),
                         twipsRect(o.unitsLeft, o.top, 3015, 255));
  }
  Command1 = makeButton(p, u"Command1"_s, u"OK"_s, twipsRect(1440, 5760, 1215, 375));
  Command2 = makeButton(p, u"Command2"_s, u"Cancel"_s, twipsRect(2880, 5760, 1215, 375));

  // An option's click runs also when it is already chosen.
  connect(optEnglish, &QRadioButton::clicked, this, [this] { optEnglish_Click(); });
  connect(optMetricAbsKPA, &QRadioButton::clicked, this, [this] { optMetricAbsKPA_Click(); });
  connect(optMetricAbsBAR, &QRadioButton::clicked, this, [this] { optMetricAbsBAR_Click(); });
  connect(optMetricWtKSC, &QRadioButton::clicked, this, [this] { optMetricWtKSC_Click(); });
  connect(optMetricWtBAR, &QRadioButton::clicked, this, [this] { optMetricWtBAR_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

}  // namespace pelorin
