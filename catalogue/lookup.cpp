// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/lookup.h"

#include "catalogue/catalogue.h"

#include <QStringList>

namespace pelagor::catalogue {

namespace {

const QString kOceanWord = QStringLiteral(" океан");

QString fromView(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A name as it is compared: without the blanks round it, in one case, and
// with one apostrophe, the catalogue's grave accent; a shell's quotes make
// that hard to type, so ' and ’ stand for it.
QString comparable(QStringView name)
{
    QString text = name.trimmed().toString().toCaseFolded();
    text.replace(u'\'', u'`');
    text.replace(u'’', u'`');
    return text;
}

} // namespace

int oceanOfSea(int row)
{
    return kSeas[static_cast<std::size_t>(row)].oceanNumber.front() - u'0';
}

std::vector<int> seasOfOcean(int ocean)
{
    std::array<bool, kOceanCount> chosen{};
    if (isOcean(ocean)) {
        chosen.at(static_cast<std::size_t>(ocean)) = true;
    }
    return seasOfOceans(chosen);
}

std::vector<int> seasOfOceans(const std::array<bool, kOceanCount> &oceans)
{
    std::vector<int> rows;
    for (int row = 0; isSea(row); ++row) {
        if (oceans.at(static_cast<std::size_t>(oceanOfSea(row)))) {
            rows.push_back(row);
        }
    }
    return rows;
}

std::vector<int> allSeas()
{
    std::array<bool, kOceanCount> every{};
    every.fill(true);
    return seasOfOceans(every);
}

bool isSea(int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < kSeaCount;
}

bool isOcean(int ocean)
{
    return ocean >= 0 && static_cast<std::size_t>(ocean) < kOceanCount;
}

QString seaName(int row)
{
    QString name = fromView(kSeas[static_cast<std::size_t>(row)].name);
    while (name.endsWith(u' ')) {
        name.chop(1);
    }
    return name;
}

QString seaShortName(int row)
{
    QString name = seaName(row);
    const QString word = QStringLiteral("море");
    if (name.startsWith(word, Qt::CaseInsensitive) && name.size() > word.size() + 1 &&
        name.at(word.size()) == u' ') {
        name.remove(0, word.size() + 1);
    } else if (name.endsWith(u' ' + word)) {
        name.chop(word.size() + 1);
    }
    return name;
}

QString oceanCaption(int ocean)
{
    return fromView(kOceanCaptions.at(static_cast<std::size_t>(ocean)));
}

QString oceanName(int ocean)
{
    return oceanCaption(ocean) + kOceanWord;
}

// "Бяло море", and the Arctic Ocean.
constexpr int kWhiteSea = 12;
constexpr int kArctic = 2;
static_assert(kSeas[kWhiteSea].name == u"Бяло море" &&
              kOceanCaptions[kArctic] == u"Северен ледовит");

std::vector<int> oceansCountedFor(int row)
{
    std::vector<int> oceans{oceanOfSea(row)};
    if (row == kWhiteSea) {
        oceans.push_back(kArctic);
    }
    return oceans;
}

QString oceansNamedFor(int row)
{
    QStringList captions;
    for (const int ocean : oceansCountedFor(row)) {
        captions << oceanCaption(ocean);
    }
    return captions.join(QStringLiteral(" или ")) + kOceanWord;
}

QString oceanCaptionsListed()
{
    QStringList captions;
    for (int ocean = 0; isOcean(ocean); ++ocean) {
        captions << oceanCaption(ocean);
    }
    const QString last = captions.takeLast();
    return captions.join(QStringLiteral(", ")) + QStringLiteral(" и ") + last;
}

std::optional<int> seaNamed(QStringView name)
{
    const QString wanted = comparable(name);
    for (int row = 0; isSea(row); ++row) {
        if (comparable(fromView(kSeas[static_cast<std::size_t>(row)].name)) == wanted) {
            return row;
        }
    }
    return std::nullopt;
}

std::optional<int> oceanNamed(QStringView name)
{
    const QString wanted = comparable(name);
    for (int ocean = 0; isOcean(ocean); ++ocean) {
        const QString caption = comparable(oceanCaption(ocean));
        if (wanted == caption || wanted == caption + kOceanWord) {
            return ocean;
        }
    }
    return std::nullopt;
}

} // namespace pelagor::catalogue
