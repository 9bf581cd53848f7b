#include "calculator/ui/calculator_page.h"

#include <QFrame>
#include <QKeyEvent>

#include "calculator/ui/calculator_panel.h"
#include "context/feature_host.h"
#include "context/pages.h"

CalculatorPage::CalculatorPage(const PageEnvironment &environment, const std::shared_ptr<Calculator> &calculator)
    : panel_(new CalculatorPanel(*calculator, environment.area))
{
    panel_->resize(environment.area->size());
}

void CalculatorPage::Open()
{
    panel_->Open();
}

bool CalculatorPage::KeyPreview(QKeyEvent *event)
{
    return panel_->KeyPressed(event->key(), event->modifiers(), event->isAutoRepeat());
}

bool CalculatorPage::KeyReleasePreview(QKeyEvent *event)
{
    return panel_->KeyReleased(event->key(), event->isAutoRepeat());
}

void RegisterCalculator(FeatureHost &host)
{
    host.pages.add(DefinePage<CalculatorPage>(PageCalculator, QStringLiteral("AreaCaluc"), {8, 0},
                                              QStringLiteral("Tockara [電卓]"), std::make_shared<Calculator>()));
}
