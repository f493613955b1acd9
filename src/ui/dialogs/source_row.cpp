#include "ui/dialogs/source_row.h"

#include "core/commands/prompts.h"
#include "core/res/string_ids.h"
#include "ui/text/qt_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace {

constexpr const char* kSourceFilter = "satellites.xml (*.xml)|*.xml|CSV (*.csv;*.tsv)|*.csv;*.tsv|DVBv5 (*)|*||";

} // namespace

QHBoxLayout* sourceRow(Prompts& prompts, QLineEdit* source, const QString& title,
                       std::function<void(const QString&)> read)
{
    source->setReadOnly(true);
    auto* folder = new QPushButton(qtText(prompts.text(msg::kImportFolder)));
    auto* file = new QPushButton(qtText(prompts.text(msg::kImportFile)));
    QObject::connect(folder, &QPushButton::clicked, source, [&prompts, title, read] {
        const std::string chosen = prompts.chooseFolder(PromptOwner::Dialog, coreText(title));
        if (!chosen.empty())
            read(qtText(chosen));
    });
    QObject::connect(file, &QPushButton::clicked, source, [&prompts, title, read = std::move(read)] {
        FileDialogOptions options;
        options.title = coreText(title);
        options.filter = kSourceFilter;
        const auto chosen = prompts.chooseOpenFiles(PromptOwner::Dialog, options);
        if (!chosen.empty())
            read(qtText(chosen.front()));
    });
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(qtText(prompts.text(msg::kImportSource))));
    row->addWidget(source, 1);
    row->addWidget(folder);
    row->addWidget(file);
    return row;
}
