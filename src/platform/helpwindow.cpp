#include "platform/helpwindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("かのて住所録 ヘルプ"));
    resize(760, 520);

    page = new QTextBrowser(this);
    page->setObjectName(QStringLiteral("page"));
    page->setOpenLinks(false);
    keyword = new QLineEdit(this);
    keyword->setObjectName(QStringLiteral("keyword"));
    index = new QListWidget(this);
    index->setObjectName(QStringLiteral("index"));

    auto *keywordLabel = new QLabel(QStringLiteral("キーワード(&K):"), this);
    keywordLabel->setBuddy(keyword);
    auto *contentsLink = new QLabel(QStringLiteral("<a href=\"#contents\">目次</a>"), this);

    auto *side = new QVBoxLayout;
    side->addWidget(contentsLink);
    side->addWidget(keywordLabel);
    side->addWidget(keyword);
    side->addWidget(index);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(side, 1);
    layout->addWidget(page, 3);

    connect(contentsLink, &QLabel::linkActivated, this, [this] { showTopic(QStringLiteral("contents")); });
    connect(page, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        showTopic(url.fragment().isEmpty() ? url.toString() : url.fragment());
    });
    connect(keyword, &QLineEdit::textChanged, this, &HelpWindow::fillIndex);
    connect(index, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        showTopic(item->data(Qt::UserRole).toString());
    });
    connect(index, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        showTopic(item->data(Qt::UserRole).toString());
    });
}

bool HelpWindow::openFile(const QString &path)
{
    HelpFile loaded;
    if (!loaded.load(path)) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("ヘルプファイル %1 を開けません。").arg(path));
        return false;
    }
    help = loaded;
    loadedPath = path;
    fillIndex(keyword->text());
    return true;
}

void HelpWindow::showTopic(const QString &id)
{
    const HelpTopic *topic = help.topic(id);
    if (!topic)
        topic = help.topic(QStringLiteral("contents"));
    if (!topic)
        return;
    page->setHtml(QStringLiteral("<h2>%1</h2>\n%2").arg(topic->title.toHtmlEscaped(), topic->body));
}

void HelpWindow::showKeywords(const QString &key)
{
    keyword->setText(key);
    fillIndex(key);
    keyword->setFocus();
}

void HelpWindow::fillIndex(const QString &key)
{
    index->clear();
    for (const auto &[word, id] : help.keywordIndex()) {
        if (!key.isEmpty() && !word.contains(key, Qt::CaseInsensitive))
            continue;
        auto *item = new QListWidgetItem(word, index);
        item->setData(Qt::UserRole, id);
    }
}

void QtHelpSystem::request(QWidget *owner, const QString &helpFile, int command, int data,
                           const QString &key)
{
    Q_UNUSED(owner);
    if (command == HelpCommand::Quit) {
        if (window)
            window->close();
        delete window;
        return;
    }
    if (!window)
        window = new HelpWindow();
    if (!window->openFile(helpFile))
        return;
    switch (command) {
    case HelpCommand::Context: window->showTopic(QString::number(data)); break;
    case HelpCommand::PartialKey:
        window->showTopic(QStringLiteral("contents"));
        window->showKeywords(key);
        break;
    default: window->showTopic(QStringLiteral("contents")); break;
    }
    window->show();
    window->raise();
    window->activateWindow();
}
