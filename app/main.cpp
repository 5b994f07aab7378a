#include "app/inicio.h"

int main(int argc, char *argv[])
{
    return zef::executaPrograma(argc, argv);
}
