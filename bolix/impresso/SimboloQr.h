#pragma once

// A QR code symbol (ISO/IEC 18004) with error correction M, for the Pix QR. Our own encoder because a batch
// encodes one symbol per boleto: the mask is chosen by evaluating rows and columns 64 modules at a time,
// where a general library's evaluation cost more than the rest of the boleto.

#include <QByteArrayView>
#include <cstdint>
#include <optional>
#include <vector>

namespace bolix {

struct SimboloQr {
    int lado = 0;                      // modules on a side
    int mascara = 0;                   // 0 to 7
    int palavrasPorLinha = 0;          // 64-bit words a row takes
    std::vector<std::uint64_t> linhas; // row after row; column x is bit x % 64 of word x / 64, dark = 1

    bool escuro(int linha, int coluna) const {
        return linhas[std::size_t(linha) * palavrasPorLinha + coluna / 64] >> (coluna % 64) & 1;
    }
};

// The smallest symbol that holds `dados`, split into numeric, alphanumeric and byte segments, with the
// given mask (0 to 7) or, by default, the one of least penalty; none for a text beyond version 40.
std::optional<SimboloQr> simboloQr(QByteArrayView dados, int mascara = -1);

} // namespace bolix
