// The package's zip writer read back by libzip: files added directly and
// files laid out apart (as each print's are, on other threads) and
// appended come out with their names, contents and checksums, in order;
// an archive beyond the 32-bit format's 65,535 files is refused whole.
#include "platformexport/ZipArchive.h"

#include <gtest/gtest.h>

#include <zip.h>

#include <string>
#include <vector>

namespace {

struct ReadFile {
    std::string name;
    std::string content;
};

std::vector<ReadFile> ReadBack(const QByteArray& bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source
        = zip_source_buffer_create(bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &error);
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    EXPECT_NE(archive, nullptr) << zip_error_strerror(&error);
    std::vector<ReadFile> files;
    for (zip_int64_t i = 0; archive && i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        std::string content(stat.size, '\0');
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        // Reading to the end checks the stored CRC-32.
        EXPECT_EQ(zip_fread(file, content.data(), stat.size), static_cast<zip_int64_t>(stat.size)) << stat.name;
        EXPECT_EQ(zip_fclose(file), 0) << stat.name;
        files.push_back({stat.name, content});
    }
    if (archive)
        zip_close(archive);
    zip_error_fini(&error);
    return files;
}

TEST(ZipArchive, FilesAddedAndAppendedReadBackInOrder)
{
    ZipArchive zip;
    std::vector<ReadFile> expected = {{"imsmanifest.xml", "<manifest/>"}, {"style.css", ""}};
    zip.Add(expected[0].name, expected[0].content);
    zip.Add(expected[1].name, expected[1].content);
    std::vector<ZipArchive> parts;
    for (int p = 1; p <= 3; ++p) {
        parts.push_back(zip.Sibling());
        for (int i = 1; i <= p * 20; ++i) {
            ReadFile file{"items/item-" + std::to_string(p) + '-' + std::to_string(i) + "-達成.xml",
                std::string(static_cast<std::size_t>(i * 37), static_cast<char>('a' + i % 26))};
            parts.back().Add(file.name, file.content);
            expected.push_back(file);
        }
    }
    parts.push_back(zip.Sibling()); // a part without files
    for (ZipArchive& part : parts)
        zip.Append(std::move(part));
    QString error;
    const ExportBytes pieces = zip.Pieces(&error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const std::vector<ReadFile> files = ReadBack(pieces.Joined());
    ASSERT_EQ(files.size(), expected.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].name, expected[i].name);
        EXPECT_EQ(files[i].content, expected[i].content) << files[i].name;
    }
}

TEST(ZipArchive, MoreFilesThanTheFormatHoldsAreRefused)
{
    ZipArchive zip;
    ZipArchive part = zip.Sibling();
    for (int i = 0; i <= 0xffff; ++i)
        (i % 2 ? zip : part).Add(std::to_string(i), "x");
    zip.Append(std::move(part));
    QString error;
    EXPECT_TRUE(zip.Pieces(&error).IsEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("65,535"))) << error.toStdString();
}

} // namespace
