# Stands in for the IFC reader test when Node.js was not found at configure time: the test fails, saying why.
message(FATAL_ERROR "the IFC reader test needs Node.js 20 or later (node on PATH) with web-ifc installed; "
                    "run bash scripts/setup.sh, then configure again")
