"""The one exception type of the binding."""
from . import codes


class OrdexError(Exception):
    """A failure reported by the library.

    ``code`` is the TOrdexReturnCode value, ``name`` its name ("rcBadNumber"), ``operation``
    what was asked for, and ``report`` the library's error report for a failed read (None for
    other operations).
    """

    def __init__(self, code, operation, report=None, detail=None):
        self.code = code
        self.name = codes.code_name(code)
        self.operation = operation
        self.report = report
        self.detail = detail
        text = "%s: %s (%d)" % (operation, self.name, code)
        if detail:
            text += ": " + detail
        if report:
            text += ": " + report
        super().__init__(text)
