"""The version of Ordex: of the library, the tool and this package alike. The build of the
library reads it from here, so it is written in this one place."""
__version__ = "0.1.0"
