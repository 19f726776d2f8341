# The server tests create objects by ProgID from the automation tests' library
# and start the ravlet-appserver program.
add_dependencies(${name} qvtest_objects ravlet-appserver)
