#pragma once

#include "selection/Listagem.h"

class Connection;

// The period of a run as its statements send it: the date column and both bounds, each formed and checked
// once for the whole run rather than for every statement.
struct LimitesPeriodo {
    QString CampoData;
    QString inicio;
    QString fim;

    static LimitesPeriodo de(Connection &conexao, const Periodo &periodo);
};
