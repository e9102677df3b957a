// The English catalogue: up to date with the program's texts, and every text translated, with
// the placeholders and the menu keys that the program's text has.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "test_support.h"

#include <gtest/gtest.h>

namespace {

using zol::test::Has_Japanese;

const QString kCatalogue = QStringLiteral(ZOL_SOURCE_DIR "/translations/zol_en.ts");

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%[0-9]+"));
    QStringList found;
    for (const QRegularExpressionMatch& m : placeholder.globalMatch(text)) found << m.captured();
    found.sort();
    return found;
}

} // namespace

TEST(Catalogue, IsUpToDateWithTheSources)
{
    // lupdate run on a copy changes nothing.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("zol_en.ts"));
    ASSERT_TRUE(QFile::copy(kCatalogue, copy));
    QProcess update;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LUPDATE"), QStringLiteral(ZOL_LUPDATE_PATH));
    update.setProcessEnvironment(env);
    update.start(QStringLiteral("bash"), {QStringLiteral(ZOL_SOURCE_DIR "/scripts/update_translations.sh"), copy});
    ASSERT_TRUE(update.waitForFinished(120000));
    ASSERT_EQ(update.exitCode(), 0) << update.readAllStandardError().constData();
    EXPECT_TRUE(Read(copy) == Read(kCatalogue))
        << "translations/zol_en.ts is out of date: run scripts/update_translations.sh and translate";
}

TEST(Catalogue, EveryTextIsTranslatedWithItsPlaceholdersAndMenuKey)
{
    const QByteArray bytes = Read(kCatalogue);
    ASSERT_FALSE(bytes.isEmpty());
    QXmlStreamReader xml(bytes);
    int messages = 0;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            ++messages;
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString english = xml.readElementText();
            SCOPED_TRACE(source.toStdString());
            EXPECT_EQ(type, QString()) << "unfinished, vanished or obsolete";
            EXPECT_FALSE(english.trimmed().isEmpty());
            EXPECT_FALSE(Has_Japanese(english)) << english.toStdString();
            EXPECT_EQ(Placeholders(english), Placeholders(source)) << english.toStdString();
            EXPECT_EQ(english.count(QLatin1Char('&')) > 0, source.contains(QStringLiteral("(&")))
                << english.toStdString();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 150);
}
