#include "wheeltable.h"

#include <QFile>

#include <charconv>
#include <sstream>

namespace dezenario::wheel {

namespace {
bool readInt(std::string_view field, int &value)
{
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size();
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (size_t from = 0;;) {
        const size_t to = text.find(separator, from);
        parts.push_back(text.substr(from, to == std::string_view::npos ? to : to - from));
        if (to == std::string_view::npos)
            return parts;
        from = to + 1;
    }
}

// A game in two digits a number, each from 1 to v, rising.
bool readGame(std::string_view digits, const WheelProblem &problem, Mask &game)
{
    if (digits.size() != size_t(2 * problem.perGame))
        return false;
    game = 0;
    int last = 0;
    for (size_t i = 0; i < digits.size(); i += 2) {
        int n = 0;
        if (!readInt(digits.substr(i, 2), n) || n <= last || n > problem.chosen)
            return false;
        game |= Mask(1) << (n - 1);
        last = n;
    }
    return true;
}

std::optional<TableWheel> readLine(std::string_view line)
{
    const std::vector<std::string_view> fields = split(line, '\t');
    TableWheel wheel;
    WheelProblem &p = wheel.problem;
    int count = 0;
    if (fields.size() != 7 || !readInt(fields[0], p.perGame) || !readInt(fields[1], p.guarantee)
        || !readInt(fields[2], p.condition) || !readInt(fields[3], p.chosen)
        || !readInt(fields[4], count) || p.chosen > MostChosen || p.perGame >= p.chosen
        || p.guarantee < 2 || p.guarantee > p.condition || p.condition > p.perGame)
        return std::nullopt;
    wheel.how = fields[5];
    for (std::string_view digits : split(fields[6], ' ')) {
        if (!readGame(digits, p, wheel.games.emplace_back()))
            return std::nullopt;
    }
    if (wheel.games.size() != size_t(count))
        return std::nullopt;
    return wheel;
}
} // namespace

std::vector<TableWheel> readWheelTable(std::string_view text)
{
    std::vector<TableWheel> table;
    for (std::string_view line : split(text, '\n')) {
        if (line.empty() || line.front() == '#')
            continue;
        if (std::optional<TableWheel> wheel = readLine(line))
            table.push_back(std::move(*wheel));
    }
    return table;
}

std::string wheelTableLine(const TableWheel &wheel)
{
    const WheelProblem &p = wheel.problem;
    std::ostringstream line;
    line << p.perGame << '\t' << p.guarantee << '\t' << p.condition << '\t' << p.chosen << '\t'
         << wheel.games.size() << '\t' << wheel.how << '\t';
    for (size_t g = 0; g < wheel.games.size(); ++g) {
        if (g)
            line << ' ';
        for (Mask game = wheel.games[g]; game; game &= game - 1) {
            const int n = std::countr_zero(game) + 1;
            line << char('0' + n / 10) << char('0' + n % 10);
        }
    }
    return line.str();
}

const std::vector<TableWheel> &builtInWheels()
{
    static const std::vector<TableWheel> table = [] {
        QFile file(QStringLiteral(":/wheel/wheels.tsv"));
        if (!file.open(QIODevice::ReadOnly))
            return std::vector<TableWheel>();
        const QByteArray text = file.readAll();
        return readWheelTable(std::string_view(text.constData(), size_t(text.size())));
    }();
    return table;
}

TableStart tableStart(const WheelProblem &problem, const std::vector<TableWheel> &table)
{
    const WheelProblem covering { problem.chosen, problem.perGame, problem.guarantee,
                                  problem.guarantee };
    TableStart start;
    for (const TableWheel &wheel : table) {
        const bool exact = wheel.problem == problem;
        if (!exact && wheel.problem != covering)
            continue;
        // The smallest that serves; the very problem's wheel on a tie, as it needs no search.
        if (start.games.empty() || wheel.games.size() < start.games.size()
            || (exact && wheel.games.size() == start.games.size()))
            start = TableStart { wheel.games, exact };
    }
    return start;
}

} // namespace dezenario::wheel
