#include "Paginas.h"

#include <gtest/gtest.h>

using namespace visualizador;

namespace {

struct CasoPaginas {
    const char *nome;
    QString texto;
    QList<Pagina> esperado;
};

void PrintTo(const CasoPaginas &c, std::ostream *os) {
    *os << c.nome;
}

class SeparaPaginas : public testing::TestWithParam<CasoPaginas> {};

TEST_P(SeparaPaginas, SplitsAtFormFeedsAndLineEnds) {
    EXPECT_EQ(separaPaginas(GetParam().texto), GetParam().esperado);
}

// How the report builder writes its pages: two empty lines at the top, a line with the form feed alone.
INSTANTIATE_TEST_SUITE_P(
    Casos, SeparaPaginas,
    testing::Values(CasoPaginas{"builder_layout",
                                "\r\n\r\n  cab 1\r\nlinha\r\n\f\r\n  cab 2\r\nfim\r\n",
                                {{"", "", "  cab 1", "linha"}, {"", "  cab 2", "fim"}}},
                    CasoPaginas{"form_feed_mid_line", "a\fb", {{"a"}, {"b"}}},
                    CasoPaginas{"trailing_form_feed_adds_no_page", "a\r\n\f", {{"a"}}},
                    CasoPaginas{"form_feed_line_at_end_is_a_page", "a\r\n\f\r\n", {{"a"}, {""}}},
                    CasoPaginas{"consecutive_form_feeds_give_empty_page", "a\f\fb", {{"a"}, {}, {"b"}}},
                    CasoPaginas{"empty_file_is_one_empty_page", "", {{}}},
                    CasoPaginas{"lf_and_lone_cr_end_lines", "a\nb\rc", {{"a", "b", "c"}}},
                    CasoPaginas{"blank_lines_kept", "a\r\n\r\n\r\nb\r\n", {{"a", "", "", "b"}}},
                    CasoPaginas{"tabs_stop_every_eight", "ab\tc\t\td", {{"ab      c               d"}}}),
    [](const auto &info) { return std::string(info.param.nome); });

TEST(LarguraMaxima, WidestLineOfAllPages) {
    EXPECT_EQ(larguraMaxima({{"abc", "abcdefg"}, {}, {"abcde"}}), 7);
    EXPECT_EQ(larguraMaxima({{}}), 0);
}

} // namespace
