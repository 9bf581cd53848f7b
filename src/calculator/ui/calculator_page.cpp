#include "calculator/ui/calculator_page.h"

#include <QFrame>
#include <QKeyEvent>

#include "calculator/ui/calculator_panel.h"
#include "context/pages.h"

CalculatorPage::CalculatorPage(const PageEnvironment &environment, Calculator &calculator)
    : panel_(new CalculatorPanel(calculator, environment.area))
{
    panel_->resize(environment.area->size());
}

void CalculatorPage::Open()
{
    panel_->Open();
}

bool CalculatorPage::KeyPreview(QKeyEvent *event)
{
    return panel_->KeyPressed(event->key());
}

void RegisterCalculatorPage(PageRegistry &pages)
{
    auto calculator = std::make_shared<Calculator>();
    pages.add({PageCalculator, QStringLiteral("AreaCaluc"), {8, 0}, QStringLiteral("Tockara [電卓]"),
               [calculator](const PageEnvironment &environment) {
                   return std::make_unique<CalculatorPage>(environment, *calculator);
               }});
}
