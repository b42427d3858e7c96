# Stands in for the browser tests when Node.js was not found at configure time: the tests fail, saying why.
message(FATAL_ERROR "the browser tests need Node.js 20 or later (node on PATH) and /usr/bin/chromium; "
                    "run bash scripts/setup.sh, then configure again")
