#include "shell/prompts.h"

bool Prompts::tell(QWidget* owner, int id, const QStringList& args)
{
    showMessage(owner, id, text(id, args), Buttons::Ok);
    return true;
}

bool Prompts::ask(QWidget* owner, int id, const QStringList& args)
{
    return showMessage(owner, id, text(id, args), Buttons::OkCancel);
}

QString Prompts::text(int id, const QStringList& args) const
{
    std::vector<std::string> values;
    values.reserve(static_cast<std::size_t>(args.size()));
    for (const auto& a : args)
        values.push_back(coreText(a));
    return qtText(formatMessage(id, language_, values));
}

QString Prompts::qtFilter(const QString& systemFilter)
{
    const QStringList parts = systemFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        filters << parts[i];
    }
    return filters.join(QStringLiteral(";;"));
}
