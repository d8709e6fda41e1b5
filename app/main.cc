#include "db/query.h"

int main()
{
    QUERY query;
    return 0;
}
