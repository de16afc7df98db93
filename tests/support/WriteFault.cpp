#include "tests/support/WriteFault.h"

#include "tests/support/TempDatabase.h"

bool InstallWriteFault(const TTempDatabase& fixture)
{
    if (!fixture.Run(QStringLiteral("create table zfault (n integer)"))
        || !fixture.Run(QStringLiteral("insert into zfault values (0)")))
        return false;
    if (TTempDatabase::OnServer()) {
        return fixture.Run(QStringLiteral("create function zfault_step() returns trigger language plpgsql as $$ "
                                          "begin update zfault set n = n - 1; if (select n from zfault) = 0 then "
                                          "raise exception 'fault'; end if; return new; end $$"))
            && fixture.Run(QStringLiteral("create trigger zfault_step before insert or update on AllInfo for each "
                                          "row execute function zfault_step()"));
    }
    for (const QString& event : {QStringLiteral("insert"), QStringLiteral("update")}) {
        if (!fixture.Run(QStringLiteral("create trigger zfault_") + event + QStringLiteral(" before ") + event
                + QStringLiteral(" on AllInfo begin update zfault set n = n - 1; "
                                 "select raise(abort, 'fault') where (select n from zfault) = 0; end")))
            return false;
    }
    return true;
}
