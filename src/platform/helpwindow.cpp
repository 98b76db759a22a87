#include "platform/helpwindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QShortcut>
#include <QTextBrowser>
#include <QSignalBlocker>
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
    keyword->installEventFilter(this);
    connect(index, &QListWidget::itemActivated, this, &HelpWindow::openEntry);
    connect(index, &QListWidget::itemClicked, this, &HelpWindow::openEntry);
    // Moving the mark with the keys opens each topic it reaches.
    connect(index, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item && index->hasFocus())
            openEntry(item);
    });
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

bool HelpWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == keyword && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
            if (!index->currentItem() && index->count() > 0)
                index->setCurrentRow(0);
            if (key == Qt::Key_Down)
                index->setFocus();
            openEntry(index->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::openEntry(const QListWidgetItem *item)
{
    if (!item)
        return;
    const QStringList ids = item->data(Qt::UserRole).toStringList();
    if (ids.size() == 1)
        showTopic(ids.first());
    else if (!ids.isEmpty())
        showChoice(item->text(), ids);
}

void HelpWindow::showChoice(const QString &word, const QStringList &ids)
{
    QString html = QStringLiteral("<h2>%1</h2>\n<p>「%1」の項目：</p>\n<ul>\n").arg(word.toHtmlEscaped());
    for (const QString &id : ids)
        if (const HelpTopic *topic = help.topic(id))
            html += QStringLiteral("<li><a href=\"#%1\">%2</a></li>\n").arg(id.toHtmlEscaped(), topic->title.toHtmlEscaped());
    page->setHtml(html + QStringLiteral("</ul>\n"));
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
    const QSignalBlocker quiet(index);
    index->clear();
    for (const HelpKeyword &entry : help.keywordIndex()) {
        if (!key.isEmpty() && !entry.word.contains(key, Qt::CaseInsensitive))
            continue;
        auto *item = new QListWidgetItem(entry.word, index);
        item->setData(Qt::UserRole, entry.topicIds);
    }
    // The first keyword that holds the typed text is marked.
    if (!key.isEmpty() && index->count() > 0)
        index->setCurrentRow(0);
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
