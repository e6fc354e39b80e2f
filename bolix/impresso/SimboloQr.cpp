#include "SimboloQr.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace bolix {

namespace {

constexpr int versaoMaxima = 40;
constexpr int ladoMaximo = 17 + 4 * versaoMaxima;
constexpr int palavrasMaximas = (ladoMaximo + 63) / 64;

// Error correction M by version: correction codewords per block, and blocks.
constexpr std::array<int, versaoMaxima + 1> correcaoPorBloco = {
    0,  10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
    26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28};
constexpr std::array<int, versaoMaxima + 1> blocos = {0,  1,  1,  1,  2,  2,  4,  4,  4,  5,  5,  5,  8,  9,
                                                      9,  10, 10, 11, 13, 14, 16, 17, 17, 18, 20, 21, 23, 25,
                                                      26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49};

constexpr int ladoDa(int versao) {
    return 17 + 4 * versao;
}

// Modules left for codewords once the function patterns are drawn.
constexpr int modulosDeDados(int versao) {
    int modulos = (16 * versao + 128) * versao + 64;
    if (versao >= 2) {
        const int alinhamentos = versao / 7 + 2;
        modulos -= (25 * alinhamentos - 10) * alinhamentos - 55;
        if (versao >= 7)
            modulos -= 36;
    }
    return modulos;
}
constexpr int palavrasTotais(int versao) {
    return modulosDeDados(versao) / 8;
}
constexpr int palavrasDeDados(int versao) {
    return palavrasTotais(versao) - correcaoPorBloco[versao] * blocos[versao];
}

// ---- Segments

enum Modo { numerico, alfanumerico, byte };
constexpr std::array<int, 3> indicadorDoModo = {0b0001, 0b0010, 0b0100};
// Bits of the character count by mode, for versions 1-9, 10-26 and 27-40.
constexpr int bitsDaContagem[3][3] = {{10, 12, 14}, {9, 11, 13}, {8, 16, 16}};
constexpr int grupoDa(int versao) {
    return versao <= 9 ? 0 : versao <= 26 ? 1 : 2;
}

// Each byte's value in the alphanumeric mode, -1 outside it.
constexpr std::array<std::int8_t, 256> alfanumericos = [] {
    std::array<std::int8_t, 256> valores{};
    valores.fill(-1);
    constexpr std::string_view tabela = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    for (std::size_t i = 0; i < tabela.size(); ++i)
        valores[std::uint8_t(tabela[i])] = std::int8_t(i);
    return valores;
}();
int valorAlfanumerico(char c) {
    return alfanumericos[std::uint8_t(c)];
}

bool cabe(int modo, char c) {
    return modo == byte || (modo == numerico ? c >= '0' && c <= '9' : valorAlfanumerico(c) >= 0);
}

struct Segmento {
    int modo;
    qsizetype inicio, tamanho;
};

long long bitsDoSegmento(const Segmento &s, int grupo) {
    const long long t = s.tamanho, cabecalho = 4 + bitsDaContagem[s.modo][grupo];
    switch (s.modo) {
    case numerico:
        return cabecalho + 10 * (t / 3) + std::array{0, 4, 7}[t % 3];
    case alfanumerico:
        return cabecalho + 11 * (t / 2) + 6 * (t % 2);
    default:
        return cabecalho + 8 * t;
    }
}

// The cheapest split for a group of versions: each character's mode chosen over the whole text, counting
// in sixths of a bit (a digit takes 10/3 bits, an alphanumeric character 11/2, a byte 8) and a segment's
// header where the mode changes.
std::vector<Segmento> segmentos(QByteArrayView dados, int grupo) {
    constexpr std::array<long long, 3> custo = {20, 33, 48};
    constexpr long long infinito = LLONG_MAX / 4;
    const qsizetype n = dados.size();
    std::vector<std::array<std::int8_t, 3>> anterior(n);
    std::array<long long, 3> ate = {0, 0, 0};
    for (qsizetype i = 0; i < n; ++i) {
        const int melhor = int(std::min_element(ate.begin(), ate.end()) - ate.begin());
        std::array<long long, 3> proximo = {infinito, infinito, infinito};
        for (int m = 0; m < 3; ++m) {
            if (!cabe(m, dados[i]))
                continue;
            const long long novo = ate[melhor] + (4 + bitsDaContagem[m][grupo]) * 6 + custo[m];
            const long long segue = i > 0 ? ate[m] + custo[m] : infinito;
            proximo[m] = std::min(novo, segue);
            anterior[i][m] = std::int8_t(segue <= novo ? m : i > 0 ? melhor : -1);
        }
        ate = proximo;
    }
    // Back from the cheapest end, a character's mode is the one its successor came from; a segment never
    // restarts its own mode, its header being a cost.
    std::vector<int> modos(n);
    int modo = int(std::min_element(ate.begin(), ate.end()) - ate.begin());
    for (qsizetype i = n - 1; i >= 0; --i) {
        modos[i] = modo;
        modo = anterior[i][modo];
    }
    std::vector<Segmento> partes;
    for (qsizetype i = 0; i < n; ++i)
        if (!partes.empty() && partes.back().modo == modos[i])
            ++partes.back().tamanho;
        else
            partes.push_back({modos[i], i, 1});
    return partes;
}

// ---- Codewords

// Bits written most significant first; a byte goes out once it is whole, the stream ending on a byte.
struct Bits {
    std::vector<std::uint8_t> bytes;
    int total = 0;
    std::uint32_t pendentes = 0;            // the last `total % 8` bits, and those just put
    void poe(unsigned valor, int quantos) { // at most 16 bits
        pendentes = pendentes << quantos | (valor & ((1u << quantos) - 1));
        for (int sobra = total % 8 + quantos; sobra >= 8; sobra -= 8)
            bytes.push_back(std::uint8_t(pendentes >> (sobra - 8)));
        total += quantos;
    }
};

std::vector<std::uint8_t> palavrasDosDados(QByteArrayView dados, const std::vector<Segmento> &partes,
                                           int versao) {
    const int grupo = grupoDa(versao);
    Bits bits;
    for (const Segmento &s : partes) {
        bits.poe(indicadorDoModo[s.modo], 4);
        bits.poe(unsigned(s.tamanho), bitsDaContagem[s.modo][grupo]);
        const QByteArrayView t = dados.sliced(s.inicio, s.tamanho);
        if (s.modo == numerico)
            for (qsizetype i = 0; i < t.size(); i += 3) {
                const qsizetype k = std::min<qsizetype>(3, t.size() - i);
                unsigned valor = 0;
                for (qsizetype j = 0; j < k; ++j)
                    valor = valor * 10 + unsigned(t[i + j] - '0');
                bits.poe(valor, int(3 * k + 1));
            }
        else if (s.modo == alfanumerico)
            for (qsizetype i = 0; i < t.size(); i += 2)
                if (i + 1 < t.size())
                    bits.poe(unsigned(valorAlfanumerico(t[i]) * 45 + valorAlfanumerico(t[i + 1])), 11);
                else
                    bits.poe(unsigned(valorAlfanumerico(t[i])), 6);
        else
            for (const char c : t)
                bits.poe(std::uint8_t(c), 8);
    }
    const int capacidade = palavrasDeDados(versao) * 8;
    bits.poe(0, std::min(4, capacidade - bits.total)); // terminator
    bits.poe(0, (8 - bits.total % 8) % 8);
    for (std::uint8_t enche = 0xEC; bits.total < capacidade; enche ^= 0xEC ^ 0x11)
        bits.poe(enche, 8);
    return bits.bytes;
}

// GF(256) over x^8 + x^4 + x^3 + x^2 + 1, as the symbol's Reed-Solomon code uses.
struct Galois {
    std::array<std::uint8_t, 512> exp{};
    std::array<int, 256> log{};
    constexpr Galois() {
        int x = 1;
        for (int i = 0; i < 255; ++i) {
            exp[i] = exp[i + 255] = std::uint8_t(x);
            log[x] = i;
            x = (x << 1) ^ (x & 0x80 ? 0x11D : 0);
        }
    }
    constexpr std::uint8_t vezes(std::uint8_t a, std::uint8_t b) const {
        return a && b ? exp[log[a] + log[b]] : 0;
    }
};
constexpr Galois gf;

// The generator of degree `grau`, (x - 1)(x - a)...(x - a^(grau-1)), without its leading 1.
std::vector<std::uint8_t> gerador(int grau) {
    std::vector<std::uint8_t> g(grau, 0);
    g[grau - 1] = 1;
    std::uint8_t raiz = 1;
    for (int i = 0; i < grau; ++i) {
        for (int j = 0; j < grau; ++j) {
            g[j] = gf.vezes(g[j], raiz);
            if (j + 1 < grau)
                g[j] ^= g[j + 1];
        }
        raiz = gf.vezes(raiz, 2);
    }
    return g;
}

// The remainder of a block divided by the generator `g`, by the logarithms of its coefficients (none is
// zero), a codeword at a time.
void correcaoDoBloco(const std::uint8_t *dados, int tamanho, const std::vector<std::uint8_t> &g,
                     std::uint8_t *resto) {
    const int grau = int(g.size());
    std::array<int, 32> logG{};
    for (int j = 0; j < grau; ++j)
        logG[j] = gf.log[g[j]];
    std::fill_n(resto, grau, 0);
    for (int i = 0; i < tamanho; ++i) {
        const std::uint8_t fator = dados[i] ^ resto[0];
        std::copy(resto + 1, resto + grau, resto);
        resto[grau - 1] = 0;
        if (fator)
            for (int j = 0, l = gf.log[fator]; j < grau; ++j)
                resto[j] ^= gf.exp[logG[j] + l];
    }
}

// Data in blocks, each followed by its correction, interleaved codeword by codeword.
std::vector<std::uint8_t> palavrasComCorrecao(const std::vector<std::uint8_t> &dados, int versao) {
    const int quantos = blocos[versao], correcao = correcaoPorBloco[versao];
    const int total = palavrasTotais(versao);
    const int curtos = quantos - total % quantos;
    const int dadosDoCurto = total / quantos - correcao;
    const std::vector<std::uint8_t> g = gerador(correcao);
    std::vector<std::uint8_t> correcoes(std::size_t(quantos) * correcao);
    std::vector<int> inicios(quantos);
    for (int b = 0, inicio = 0; b < quantos; ++b) {
        const int tamanho = dadosDoCurto + (b < curtos ? 0 : 1);
        inicios[b] = inicio;
        correcaoDoBloco(dados.data() + inicio, tamanho, g, correcoes.data() + std::size_t(b) * correcao);
        inicio += tamanho;
    }
    std::vector<std::uint8_t> saida;
    saida.reserve(total);
    for (int i = 0; i <= dadosDoCurto; ++i)
        for (int b = 0; b < quantos; ++b)
            if (i < dadosDoCurto || b >= curtos)
                saida.push_back(dados[inicios[b] + i]);
    for (int i = 0; i < correcao; ++i)
        for (int b = 0; b < quantos; ++b)
            saida.push_back(correcoes[std::size_t(b) * correcao + i]);
    return saida;
}

// ---- Placement

std::vector<int> centrosDeAlinhamento(int versao) {
    if (versao == 1)
        return {};
    const int quantos = versao / 7 + 2, lado = ladoDa(versao);
    const int passo = versao == 32 ? 26 : (versao * 4 + quantos * 2 + 1) / (quantos * 2 - 2) * 2;
    std::vector<int> centros(quantos);
    centros[0] = 6;
    for (int i = quantos - 1, c = lado - 7; i >= 1; --i, c -= passo)
        centros[i] = c;
    return centros;
}

// The 15 bits of level M and the mask, with their BCH code, as the symbol carries them.
int bitsDoFormato(int mascara) {
    int resto = mascara;
    for (int i = 0; i < 10; ++i)
        resto = (resto << 1) ^ ((resto >> 9) * 0x537);
    return (mascara << 10 | resto) ^ 0x5412;
}

int bitsDaVersao(int versao) {
    int resto = versao;
    for (int i = 0; i < 12; ++i)
        resto = (resto << 1) ^ ((resto >> 11) * 0x1F25);
    return versao << 12 | resto;
}

struct Posicao {
    int linha, coluna;
};

// Where bit i of the format goes: around the top-left finder, and split between the other two.
std::array<std::array<Posicao, 15>, 2> posicoesDoFormato(int lado) {
    std::array<std::array<Posicao, 15>, 2> p{};
    for (int i = 0; i < 15; ++i) {
        p[0][i] = i <= 5   ? Posicao{i, 8}
                  : i == 6 ? Posicao{7, 8}
                  : i == 7 ? Posicao{8, 8}
                  : i == 8 ? Posicao{8, 7}
                           : Posicao{8, 14 - i};
        p[1][i] = i < 8 ? Posicao{8, lado - 1 - i} : Posicao{lado - 15 + i, 8};
    }
    return p;
}

// The symbol as one byte a module while it is drawn.
struct Grade {
    int lado;
    std::vector<std::uint8_t> escuro, funcao;

    explicit Grade(int versao) : lado(ladoDa(versao)), escuro(lado * lado, 0), funcao(lado * lado, 0) {
        for (int i = 0; i < lado; ++i) {
            poe(6, i, i % 2 == 0);
            poe(i, 6, i % 2 == 0);
        }
        for (const auto [l, c] : {Posicao{3, 3}, Posicao{3, lado - 4}, Posicao{lado - 4, 3}})
            quadrado(l, c, 4, [](int d) { return d != 2 && d != 4; });
        const std::vector<int> centros = centrosDeAlinhamento(versao);
        for (std::size_t i = 0; i < centros.size(); ++i)
            for (std::size_t j = 0; j < centros.size(); ++j) {
                const std::size_t ultimo = centros.size() - 1;
                if ((i == 0 && j == 0) || (i == 0 && j == ultimo) || (i == ultimo && j == 0))
                    continue; // under a finder
                quadrado(centros[i], centros[j], 2, [](int d) { return d != 1; });
            }
        for (const auto &copia : posicoesDoFormato(lado))
            for (const Posicao p : copia)
                poe(p.linha, p.coluna, false); // reserved; written with the mask
        poe(lado - 8, 8, true);
        if (versao >= 7)
            for (int i = 0, bits = bitsDaVersao(versao); i < 18; ++i) {
                const int a = lado - 11 + i % 3, b = i / 3;
                poe(b, a, bits >> i & 1);
                poe(a, b, bits >> i & 1);
            }
    }

    void poe(int linha, int coluna, bool cor) {
        escuro[linha * lado + coluna] = cor;
        funcao[linha * lado + coluna] = 1;
    }

    // A square pattern around a centre, coloured by the distance from it, cut at the symbol's edge.
    template <typename Cor> void quadrado(int linha, int coluna, int raio, Cor cor) {
        for (int dl = -raio; dl <= raio; ++dl)
            for (int dc = -raio; dc <= raio; ++dc) {
                const int l = linha + dl, c = coluna + dc;
                if (l >= 0 && l < lado && c >= 0 && c < lado)
                    poe(l, c, cor(std::max(std::abs(dl), std::abs(dc))));
            }
    }

    // Where the codewords' bits go, in order: pairs of columns from the bottom right, up and down in turn,
    // the timing column skipped.
    std::vector<Posicao> ordemDosDados() const {
        std::vector<Posicao> ordem;
        ordem.reserve(std::size_t(lado) * lado);
        for (int direita = lado - 1; direita >= 1; direita -= 2) {
            if (direita == 6)
                direita = 5;
            const bool subindo = ((direita + 1) & 2) == 0;
            for (int k = 0; k < lado; ++k) {
                const int linha = subindo ? lado - 1 - k : k;
                for (int c = direita; c > direita - 2; --c)
                    if (!funcao[linha * lado + c])
                        ordem.push_back({linha, c});
            }
        }
        return ordem;
    }
};

// ---- Masks and their penalty, on rows of bits

bool condicaoDaMascara(int mascara, int l, int c) {
    switch (mascara) {
    case 0:
        return (l + c) % 2 == 0;
    case 1:
        return l % 2 == 0;
    case 2:
        return c % 3 == 0;
    case 3:
        return (l + c) % 3 == 0;
    case 4:
        return (l / 2 + c / 3) % 2 == 0;
    case 5:
        return l * c % 2 + l * c % 3 == 0;
    case 6:
        return (l * c % 2 + l * c % 3) % 2 == 0;
    default:
        return ((l + c) % 2 + l * c % 3) % 2 == 0;
    }
}

// Each mask repeats every 12 rows and columns: its rows by row mod 12, and its columns by column mod 12.
using Faixa = std::array<std::uint64_t, palavrasMaximas>;
struct Padroes {
    std::array<std::array<std::array<Faixa, 12>, 2>, 8> faixas{};
    Padroes() {
        for (int m = 0; m < 8; ++m)
            for (int r = 0; r < 12; ++r)
                for (int i = 0; i < ladoMaximo; ++i) {
                    faixas[m][0][r][i / 64] |= std::uint64_t(condicaoDaMascara(m, r, i)) << (i % 64);
                    faixas[m][1][r][i / 64] |= std::uint64_t(condicaoDaMascara(m, i, r)) << (i % 64);
                }
    }
};
const Padroes &padroes() {
    static const Padroes p;
    return p;
}

// Rows of bits of one direction: the symbol's rows, or its columns laid as rows.
struct Faixas {
    int lado = 0, palavras = 0;
    std::vector<std::uint64_t> bits;

    Faixas(int l, int p) : lado(l), palavras(p), bits(std::size_t(l) * p, 0) {}
    // A grid of one byte a module, by rows: bit set where the byte is `valor`.
    Faixas(const std::vector<std::uint8_t> &grade, int l, std::uint8_t valor) : Faixas(l, (l + 63) / 64) {
        const std::uint8_t *modulo = grade.data();
        for (int i = 0; i < lado; ++i)
            for (int w = 0; w < palavras; ++w) {
                std::uint64_t palavra = 0;
                for (int j = 0, fim = std::min(64, lado - 64 * w); j < fim; ++j, ++modulo)
                    palavra |= std::uint64_t(*modulo == valor) << j;
                faixa(i)[w] = palavra;
            }
    }

    // The columns as rows, a square of 64 by 64 bits at a time.
    Faixas transposta() const {
        Faixas t(lado, palavras);
        for (int bi = 0; bi < palavras; ++bi)
            for (int bj = 0; bj < palavras; ++bj) {
                std::array<std::uint64_t, 64> q{};
                for (int k = 0; k < 64 && 64 * bi + k < lado; ++k)
                    q[k] = faixa(64 * bi + k)[bj];
                transpoe(q);
                for (int k = 0; k < 64 && 64 * bj + k < lado; ++k)
                    t.faixa(64 * bj + k)[bi] = q[k];
            }
        return t;
    }

    // Bit c of row r to bit r of row c, by swapping ever smaller blocks across the diagonal.
    static void transpoe(std::array<std::uint64_t, 64> &q) {
        std::uint64_t m = 0x00000000FFFFFFFF;
        for (int j = 32; j != 0; j >>= 1, m ^= m << j)
            for (int k = 0; k < 64; k = ((k | j) + 1) & ~j) {
                const std::uint64_t troca = ((q[k] >> j) ^ q[k | j]) & m;
                q[k] ^= troca << j;
                q[k | j] ^= troca;
            }
    }

    std::uint64_t *faixa(int i) { return bits.data() + std::size_t(i) * palavras; }
    const std::uint64_t *faixa(int i) const { return bits.data() + std::size_t(i) * palavras; }
    void poe(int i, int j, bool cor) {
        std::uint64_t &w = faixa(i)[j / 64];
        w = (w & ~(std::uint64_t(1) << (j % 64))) | (std::uint64_t(cor) << (j % 64));
    }
};

// Set bits, summed in ever wider fields: the baseline x86-64 has no popcount instruction, and the library
// call it takes instead cost a fifth of the mask evaluation.
int uns(std::uint64_t x) {
    x -= x >> 1 & 0x5555555555555555;
    x = (x & 0x3333333333333333) + (x >> 2 & 0x3333333333333333);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0F;
    return int((x * 0x0101010101010101) >> 56);
}

// uns(a) + 2 * uns(b) in one sum: a field of four bits holds up to 4 of one and twice 4 of the other.
int unsSomados(std::uint64_t a, std::uint64_t b) {
    a -= a >> 1 & 0x5555555555555555;
    b -= b >> 1 & 0x5555555555555555;
    a = (a & 0x3333333333333333) + (a >> 2 & 0x3333333333333333);
    b = (b & 0x3333333333333333) + (b >> 2 & 0x3333333333333333);
    std::uint64_t x = a + 2 * b;
    x = (x & 0x0F0F0F0F0F0F0F0F) + (x >> 4 & 0x0F0F0F0F0F0F0F0F);
    return int((x * 0x0101010101010101) >> 56);
}

// The bits of a row from `k` modules further on (k in 1..10), and from `k` modules back.
template <int P> std::uint64_t adiante(const std::uint64_t *f, int w, int k) {
    return f[w] >> k | (w + 1 < P ? f[w + 1] << (64 - k) : 0);
}
std::uint64_t atras(const std::uint64_t *f, int w, int k) {
    return f[w] << k | (w > 0 ? f[w - 1] >> (64 - k) : 0);
}

// Bits below `n` of word `w`.
std::uint64_t abaixoDe(int n, int w) {
    const int resto = n - 64 * w;
    return resto >= 64 ? ~std::uint64_t(0) : resto <= 0 ? 0 : (std::uint64_t(1) << resto) - 1;
}

// Runs of five or more of one colour (3 points and 1 more a module beyond five) and the finder-like
// 1:1:3:1:1 with four light modules on either side (40 points), beyond the edge being light.
template <int P> int penalidadeDaFaixa(const std::uint64_t *f, int lado) {
    int pontos = 0;
    for (int w = 0; w < P; ++w) {
        std::array<std::uint64_t, 11> d;
        d[0] = f[w];
        for (int k = 1; k <= 10; ++k)
            d[k] = adiante<P>(f, w, k);
        // Bit i of `igual[k]`: module i + k has the colour of module i + k + 1.
        std::array<std::uint64_t, 4> igual;
        for (int k = 0; k < 4; ++k)
            igual[k] = ~(d[k] ^ d[k + 1]);
        const std::uint64_t cinco = igual[0] & igual[1] & igual[2] & igual[3] & abaixoDe(lado - 4, w);
        const std::uint64_t anteriorIgual = ~(atras(f, w, 1) ^ d[0]) & ~std::uint64_t(w == 0);
        pontos += unsSomados(cinco, cinco & ~anteriorIgual);

        const std::uint64_t nucleo = d[0] & ~d[1] & d[2] & d[3] & d[4] & ~d[5] & d[6];
        if (!nucleo)
            continue; // the usual row: the pattern is rare
        const std::uint64_t claroDepois = ~(d[7] | d[8] | d[9] | d[10]);
        const std::uint64_t claroAntes = ~(atras(f, w, 1) | atras(f, w, 2) | atras(f, w, 3) | atras(f, w, 4));
        pontos += 40 * (uns(nucleo & claroDepois) + uns(nucleo & claroAntes));
    }
    return pontos;
}

// 2x2 blocks of one colour between two neighbouring rows, 3 points each.
template <int P> int penalidadeDeBlocos(const std::uint64_t *a, const std::uint64_t *b, int lado) {
    std::array<std::uint64_t, P> igual;
    for (int w = 0; w < P; ++w)
        igual[w] = ~(a[w] ^ b[w]);
    int blocos = 0;
    for (int w = 0; w < P; ++w)
        blocos += uns(igual[w] & adiante<P>(igual.data(), w, 1) & ~(a[w] ^ adiante<P>(a, w, 1)) &
                      abaixoDe(lado - 1, w));
    return 3 * blocos;
}

template <int P> int penalidade(const Faixas &linhas, const Faixas &colunas) {
    const int lado = linhas.lado;
    int pontos = 0, escuros = 0;
    for (int i = 0; i < lado; ++i) {
        pontos += penalidadeDaFaixa<P>(linhas.faixa(i), lado) + penalidadeDaFaixa<P>(colunas.faixa(i), lado);
        if (i + 1 < lado)
            pontos += penalidadeDeBlocos<P>(linhas.faixa(i), linhas.faixa(i + 1), lado);
        for (int w = 0; w < P; ++w)
            escuros += uns(linhas.faixa(i)[w]);
    }
    // 10 points for each 5% the dark modules are away from half.
    const int total = lado * lado;
    return pontos + 10 * (std::abs(escuros * 20 - total * 10) / total);
}

// Unrolled for the words a row takes: the symbols of a Pix QR take one.
int penalidade(const Faixas &linhas, const Faixas &colunas) {
    switch (linhas.palavras) {
    case 1:
        return penalidade<1>(linhas, colunas);
    case 2:
        return penalidade<2>(linhas, colunas);
    default:
        return penalidade<palavrasMaximas>(linhas, colunas);
    }
}

// The symbol before masking, by rows and by columns, with where its data lies.
// What the symbols of one version share: the function patterns (format bits light), where data lies,
// and where each codeword bit goes. Kept for the last version a thread drew: a batch's symbols are alike.
struct Molde {
    int versao;
    Faixas funcoes, dadosNasLinhas, dadosNasColunas;
    std::vector<Posicao> ordem;

    explicit Molde(const Grade &g, int v)
        : versao(v), funcoes(g.escuro, g.lado, 1), dadosNasLinhas(g.funcao, g.lado, 0),
          dadosNasColunas(dadosNasLinhas.transposta()), ordem(g.ordemDosDados()) {}
};

const Molde &moldeDa(int versao) {
    thread_local std::optional<Molde> ultimo;
    if (!ultimo || ultimo->versao != versao)
        ultimo.emplace(Grade(versao), versao);
    return *ultimo;
}

// The symbol before masking, by rows and by columns, with where its data lies.
struct Simbolo {
    const Faixas &dadosNasLinhas, &dadosNasColunas;
    Faixas linhas, colunas;

    Simbolo(const Molde &m, const std::vector<std::uint8_t> &palavras)
        : dadosNasLinhas(m.dadosNasLinhas), dadosNasColunas(m.dadosNasColunas), linhas(m.funcoes),
          colunas(m.funcoes.lado, m.funcoes.palavras) {
        // Bits beyond the codewords stay light.
        for (std::size_t k = 0; k < palavras.size(); ++k)
            for (unsigned b = palavras[k]; b; b &= b - 1) {
                const Posicao p = m.ordem[8 * k + 7 - std::countr_zero(b)];
                linhas.faixa(p.linha)[p.coluna / 64] |= std::uint64_t(1) << (p.coluna % 64);
            }
        colunas = linhas.transposta();
    }
};

// The symbol under one mask, its format bits written, in rows and columns given.
void aplica(const Simbolo &s, int mascara, Faixas &linhas, Faixas &colunas) {
    const Padroes &p = padroes();
    for (int i = 0; i < s.linhas.lado; ++i)
        for (int w = 0; w < s.linhas.palavras; ++w) {
            linhas.faixa(i)[w] =
                s.linhas.faixa(i)[w] ^ (p.faixas[mascara][0][i % 12][w] & s.dadosNasLinhas.faixa(i)[w]);
            colunas.faixa(i)[w] =
                s.colunas.faixa(i)[w] ^ (p.faixas[mascara][1][i % 12][w] & s.dadosNasColunas.faixa(i)[w]);
        }
    const int formato = bitsDoFormato(mascara);
    for (const auto &copia : posicoesDoFormato(s.linhas.lado))
        for (int i = 0; i < 15; ++i) {
            linhas.poe(copia[i].linha, copia[i].coluna, formato >> i & 1);
            colunas.poe(copia[i].coluna, copia[i].linha, formato >> i & 1);
        }
}

struct Divisao {
    int versao;
    std::vector<Segmento> partes;
};

// The smallest version and the split for it: the character counts widen at versions 10 and 27.
std::optional<Divisao> divisao(QByteArrayView dados) {
    for (int grupo = 0; grupo < 3; ++grupo) {
        std::vector<Segmento> partes = segmentos(dados, grupo);
        long long bits = 0;
        for (const Segmento &s : partes)
            bits += bitsDoSegmento(s, grupo);
        for (int v = grupo == 0 ? 1 : grupo == 1 ? 10 : 27; v <= versaoMaxima && grupoDa(v) == grupo; ++v)
            if (bits <= 8LL * palavrasDeDados(v))
                return Divisao{v, std::move(partes)};
    }
    return std::nullopt;
}

} // namespace

std::optional<SimboloQr> simboloQr(QByteArrayView dados, int mascara) {
    const std::optional<Divisao> d = divisao(dados);
    if (!d)
        return std::nullopt;
    const Simbolo simbolo(moldeDa(d->versao),
                          palavrasComCorrecao(palavrasDosDados(dados, d->partes, d->versao), d->versao));
    Faixas linhas = simbolo.linhas, colunas = simbolo.colunas;
    int escolhida = mascara;
    for (int m = 0, menor = INT_MAX; mascara < 0 && m < 8; ++m) {
        aplica(simbolo, m, linhas, colunas);
        if (const int pontos = penalidade(linhas, colunas); pontos < menor) {
            menor = pontos;
            escolhida = m;
        }
    }
    aplica(simbolo, escolhida, linhas, colunas);
    return SimboloQr{linhas.lado, escolhida, linhas.palavras, std::move(linhas.bits)};
}

} // namespace bolix
