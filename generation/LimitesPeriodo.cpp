#include "generation/LimitesPeriodo.h"

LimitesPeriodo LimitesPeriodo::de(Connection &conexao, const Periodo &p) {
    return {p.CampoData, LimiteDoPeriodo(conexao, p.dataInicial, p.horaInicial),
            LimiteDoPeriodo(conexao, p.dataFinal, p.horaFinal)};
}
