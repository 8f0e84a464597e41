#include "cli/ConsoleFeedback.h"

#include <QCoreApplication>

#include <cstdio>

namespace sonorelle {

ConsoleFeedback::ConsoleFeedback(bool verbose, bool assumeYes)
    : err_(stderr)
    , verbose_(verbose)
    , assumeYes_(assumeYes)
{
}

void ConsoleFeedback::message(const QString& text, const QString& caption, MessageIcon /*icon*/)
{
    if (!caption.isEmpty())
        err_ << caption << ": ";
    err_ << text << Qt::endl;
}

void ConsoleFeedback::setStatus(const QString& text)
{
    if (verbose_)
        err_ << text << Qt::endl;
}

void ConsoleFeedback::showProgress() {}

void ConsoleFeedback::hideProgress() {}

void ConsoleFeedback::changeProgress(const QString& detail, double done, double total)
{
    if (!verbose_)
        return;
    err_ << detail;
    if (total > 0)
        err_ << " (" << qRound(100.0 * done / total) << "%)";
    err_ << Qt::endl;
}

bool ConsoleFeedback::cancelRequested() const
{
    return false;
}

void ConsoleFeedback::clearCancel() {}

void ConsoleFeedback::processEvents()
{
    QCoreApplication::processEvents();
}

bool ConsoleFeedback::confirm(const QString& question, const QString& caption)
{
    message(question + (assumeYes_ ? QStringLiteral(" yes (--yes)") : QStringLiteral(" no (give --yes to agree)")),
            caption, MessageIcon::Question);
    return assumeYes_;
}

}  // namespace sonorelle
