#include "app/cli/CommandLine.h"
#include "reports/ListFixture.h"
#include "ui/qt/PdfRender.h"
#include "ui/qt/QtPictures.h"

#include <gtest/gtest.h>
#include <sstream>

#include <QFile>
#include <QImage>
#include <QRegularExpression>

namespace mivra {
namespace {

// Every kind through mivra-cli print with the Qt backend: the PDF has the pages it reports.
class ListsPdf : public test::ListTest {};

TEST_F(ListsPdf, EveryKindRendersToAPdfOfItsPageCount) {
    WeekBytes w = FullWeek(0);
    w.reader = kCarl;
    SendOut(w, 0);
    WriteLists({w, FullWeek(1)});
    QImage map(40, 30, QImage::Format_RGB32);
    map.fill(Qt::darkGreen);
    ASSERT_TRUE(map.save(QString::fromStdString((dir.path() / "karta.jpg").string()), "JPG"));
    Bytes cong = dir.Read("cong.dat");
    for (size_t slot : {1, 2})
        test::PutText(cong, slot * 256 + 198, 28, "karta.jpg");
    dir.Write("cong.dat", cong);
    dir.WriteText(
        "mivraw.ini",
        test::Cp1252("[Congregation]\r\nNumber=1\r\n[Församling]\r\nHa med högläsare=1\r\n"));

    const cli::PdfRenderer pdf = [](const std::filesystem::path& path, const cli::PdfPages& p) {
        ui::qt::PdfOptions options;
        options.dpi = p.dpi;
        return ui::qt::RenderPdf(path, p.pageCount, p.draw, options);
    };
    const ui::qt::QtPictureDecoder pictures;
    const std::vector<std::vector<std::string>> kinds = {
        {"notice", "--week", "2026-03-04", "--slot", "1"},
        {"letter", "--week", "2026-03-04"},
        {"speakers"},
        {"talks"},
        {"recent-years"},
        {"exchange", "--congregation", "Västra"},
        {"brother", "--name", "Olof Lind"},
        {"phones", "--from", "2026-03-04", "--weeks", "4"},
        {"outgoing"},
        {"readers"},
        {"worksheet", "--from", "2026-03-04", "--weeks", "40"},
        {"local-speakers"},
        {"coordinators"},
        {"followups"}};
    for (const auto& kind : kinds) {
        std::vector<std::string> args{"--data", dir.path().string(), "--today", "2026-03-04",
                                      "print"};
        args.insert(args.end(), kind.begin(), kind.end());
        const std::filesystem::path file = dir.path() / (kind[0] + ".pdf");
        args.insert(args.end(), {"--pdf", file.string()});
        std::ostringstream out, err;
        ASSERT_EQ(cli::Run(args, out, err, pdf, &pictures), 0) << kind[0] << ": " << err.str();
        QFile written(QString::fromStdString(file.string()));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << kind[0];
        const QByteArray bytes = written.readAll();
        const QRegularExpressionMatch count =
            QRegularExpression(QStringLiteral("/Count (\\d+)")).match(QString::fromLatin1(bytes));
        ASSERT_TRUE(count.hasMatch()) << kind[0];
        EXPECT_EQ(out.str().substr(0, out.str().find('\t')), count.captured(1).toStdString())
            << kind[0];
        if (kind[0] == "notice" || kind[0] == "letter") {
            EXPECT_TRUE(bytes.contains("/Subtype /Image")) << kind[0] << " carries its map";
        }
    }
}

} // namespace
} // namespace mivra
