// Under Node the tests read the environment they were started with (QUARVEL_SESSION_SEED).
Module['preRun'] = [function () { Object.assign(ENV, process.env); }];
